#!/usr/bin/env bash
# Pictures of every window of the controller and the launcher, in English and
# Japanese, for comparing what the user sees before and after a change that must
# not change it.
#   tools/window-pictures.sh take FOLDER     build, run, leave FOLDER/{en,ja}/*.bmp
#   tools/window-pictures.sh compare A B     name the pictures that differ; exit 1 if any
#                                            (a blinking text caret is not a difference)
# Uses the X display VISTREL_XDISPLAY (default 78), started when nothing runs there.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

case ${1:-} in
take)
  out=$(realpath -m "$2")
  cmake --preset mingw >/dev/null
  cmake --build --preset mingw --target window_pictures_driver vistrelddcci sim_dxva2 sim_minfolib \
    launcher_pictures_driver launcher launcher_recorder
  number=${VISTREL_XDISPLAY:-78}
  own_server=
  if ! xrandr -d ":$number" >/dev/null 2>&1; then
    export VISTREL_XSERVER=$(tools/xserver.sh start "$number")
    own_server=$number
  fi
  export DISPLAY=:$number
  trap '[[ -n $own_server ]] && tools/xserver.sh stop "$own_server"; true' EXIT
  bin=$root/build/mingw/bin
  for lang in en ja; do
    mkdir -p "$out/$lang"
    rm -f "$out/$lang"/*.bmp
    VISTREL_PICTURES_DIR=$out/$lang bash tests/e2e/e2e.sh "$bin" "$bin/window_pictures_driver.exe" \
      'WindowPictures.*' "$lang" || echo "window-pictures: a window did not open in $lang (see above)" >&2
    VISTREL_PICTURES_DIR=$out/$lang bash tests/e2e/launcher_e2e.sh "$bin" "$bin/launcher_pictures_driver.exe" \
      'LauncherPictures.*' "$lang" || echo "window-pictures: a launcher window did not open in $lang (see above)" >&2
  done
  ls "$out"/en "$out"/ja
  ;;
compare)
  a=$2 b=$3 differ=0
  for picture in "$a"/*/*.bmp; do
    other=$b/${picture#"$a"/}
    if [[ ! -f $other ]]; then
      echo "only in $a: ${picture#"$a"/}"; differ=1
    elif ! cmp -s "$picture" "$other"; then
      # A text box's caret blinks on its own clock: a difference no wider than a
      # caret and no taller than a line of text is that, not a change.
      # (compare exits 1 on a difference, which is what it was asked to find.)
      box=$(set +o pipefail; compare "$picture" "$other" -compose src -highlight-color white \
        -lowlight-color black png:- 2>/dev/null | convert - -trim -format '%w %h' info: 2>/dev/null)
      read -r width height <<<"${box:-0 0}"
      if ((width >= 1 && width <= 2 && height <= 24)); then
        echo "alike but for a blinking caret: ${picture#"$a"/}"
      else
        echo "differs: ${picture#"$a"/}"; differ=1
      fi
    fi
  done
  for picture in "$b"/*/*.bmp; do
    [[ -f $a/${picture#"$b"/} ]] || { echo "only in $b: ${picture#"$b"/}"; differ=1; }
  done
  ((differ == 0)) && echo "all pictures alike"
  exit "$differ"
  ;;
*)
  echo "usage: $0 take FOLDER | compare A B" >&2
  exit 2
  ;;
esac
