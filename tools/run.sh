#!/usr/bin/env bash
# Builds the controller and the stand-in DLLs and starts the controller under Wine
# against the default simulated desk, opens the settings window from the tray
# icon's menu and leaves a screenshot of that window in build/run/settings-<lang>.png.
# Then it puts the sample utility disk together (tools/make-disk.sh), starts its
# launcher and leaves a screenshot of the start menu in build/run/launcher-<lang>.png.
# Then it ends both programs and the prefix's Wine server, and the X server if it
# started one.
#   VISTREL_XDISPLAY=N   X display number to use; started (and stopped again) when
#                        nothing runs there. Without it: $DISPLAY, else 78.
#   VISTREL_SIM_CONFIG   simulated desk (default sim/configs/default-desk.json)
#   VISTREL_LANG=ja      Japanese prefix and user interface
#   VISTREL_KEEP_RUNNING=1  leave both programs (and their servers) running
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
tools/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target vistrelddcci vistrelctl sim_dxva2 sim_minfolib discovery_report launcher minfolib_real
# The disk carries the 32-bit launcher and both builds of the controller.
cmake --preset mingw32 >/dev/null
cmake --build --preset mingw32 --target launcher vistrelddcci vistrelctl minfolib_real

lang=${VISTREL_LANG:-en}
bin=$root/build/mingw/bin
out=$root/build/run
mkdir -p "$out"
export VISTREL_SIM_CONFIG=${VISTREL_SIM_CONFIG:-$root/sim/configs/default-desk.json}
export WINEPREFIX=${VISTREL_WINEPREFIX:-$root/build/wineprefix-$lang}

own_server=
if [[ -n ${VISTREL_XDISPLAY:-} || -z ${DISPLAY:-} ]]; then
  number=${VISTREL_XDISPLAY:-78}
  if ! xrandr -d ":$number" >/dev/null 2>&1; then
    kind=$(tools/xserver.sh start "$number")
    export VISTREL_XSERVER=$kind
    own_server=$number
  fi
  export DISPLAY=:$number
fi

program=
launcher=
keep=${VISTREL_KEEP_RUNNING:-}
finish() {
  if [[ -z $keep ]]; then
    [[ -n $program ]] && kill "$program" 2>/dev/null || true
    [[ -n $launcher ]] && # Closes the launcher's connection to X, which ends that Wine process alone.
xdotool windowkill "$start_menu" 2>/dev/null || true
launcher=
    wineserver -k 2>/dev/null || true
    [[ -n $own_server ]] && tools/xserver.sh stop "$own_server"
  fi
  return 0
}
trap finish EXIT

tools/wine-run.sh "$bin/vistrelddcci.exe" >"$out/vistrelddcci-$lang.log" 2>&1 &
program=$!

# The icon appears once the monitors were found and the tray took it.
tray=
for _ in $(seq 120); do
  tray=$(xdotool search --name "Wine System Tray" 2>/dev/null | head -n1 || true)
  [[ -n $tray ]] && xwininfo -id "$tray" 2>/dev/null | grep -q 'IsViewable' && break
  tray=
  kill -0 "$program" 2>/dev/null || { echo "vistrelddcci ended; see $out/vistrelddcci-$lang.log" >&2; exit 1; }
  sleep 0.5
done
sleep 1

open_tray_menu() {
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  # The icon sits below the caption that Wine draws on the tray window.
  xdotool mousemove $((X + 10)) $((Y + HEIGHT - 8)) click 3
  sleep 1
}

# The settings window: the program's visible top-level window with a caption.
settings_window() {
  local id
  for id in $(xdotool search --onlyvisible --classname 'vistrelddcci.exe' 2>/dev/null); do
    [[ $id == "$tray" ]] && continue
    eval "$(xdotool getwindowgeometry --shell "$id")"
    ((WIDTH > 200 && HEIGHT > 200)) && { echo "$id"; return 0; }
  done
  return 1
}

if [[ -z $tray ]]; then
  echo "no stand-alone tray window found (a desktop tray holds the icon): open the settings from it" >&2
  exit 1
fi
# Keys would go to whichever window has the focus (no window manager hands it to
# the menu): click the menu's first item, the settings window.
open_tray_menu
menu=$(xdotool search --onlyvisible --classname 'vistrelddcci.exe' 2>/dev/null | tail -n1 || true)
[[ -n $menu ]] || { echo "the tray menu did not open" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$menu")"
xdotool mousemove $((X + 40)) $((Y + 10)) click 1
# Away from the icon, so that its tip does not cover the picture.
xdotool mousemove 5 1000
settings=
for _ in $(seq 20); do
  settings=$(settings_window || true)
  [[ -n $settings ]] && break
  sleep 0.5
done
[[ -n $settings ]] || { echo "the settings window did not open" >&2; exit 1; }
sleep 2
# Wine draws the frame inside the window (no window manager), so the window's own
# picture has its caption and border.
import -window "$settings" "$out/settings-$lang.png"
echo "screenshot of the settings window: $out/settings-$lang.png"

# The start menu of the sample disk, in the prefix's language.
tools/make-disk.sh "$root/build/mingw32/bin" "$bin" "$root/build/disk" >"$out/make-disk.log" 2>&1 ||
  { echo "the sample disk was not made; see $out/make-disk.log" >&2; exit 1; }
tools/wine-run.sh "$root/build/disk/disk/launcher.exe" >"$out/launcher-$lang.log" 2>&1 &
launcher=$!
start_menu=
for _ in $(seq 60); do
  for id in $(xdotool search --onlyvisible --classname 'launcher.exe' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    ((WIDTH > 200 && HEIGHT > 200)) && { start_menu=$id; break; }
  done
  [[ -n $start_menu ]] && break
  kill -0 "$launcher" 2>/dev/null || { echo "the launcher ended; see $out/launcher-$lang.log" >&2; exit 1; }
  sleep 0.5
done
[[ -n $start_menu ]] || { echo "the launcher's window did not open" >&2; exit 1; }
sleep 2
import -window "$start_menu" "$out/launcher-$lang.png"
echo "screenshot of the launcher: $out/launcher-$lang.png"

if [[ -n $keep ]]; then
  echo "vistrelddcci and the launcher run on $DISPLAY; end the controller with \"Exit\" in its tray menu"
  exit 0
fi
# Closes the launcher's connection to X, which ends that Wine process alone.
xdotool windowkill "$start_menu" 2>/dev/null || true
launcher=
# "Exit", the menu's last item, ends the program with its settings window open.
open_tray_menu
menu=$(xdotool search --onlyvisible --classname 'vistrelddcci.exe' 2>/dev/null | while read -r id; do
  eval "$(xdotool getwindowgeometry --shell "$id")"; ((WIDTH < 400 && HEIGHT < 400)) && echo "$id"; done | tail -n1 || true)
if [[ -n $menu ]]; then
  eval "$(xdotool getwindowgeometry --shell "$menu")"
  xdotool mousemove $((X + 40)) $((Y + HEIGHT - 10)) click 1
fi
for _ in $(seq 40); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.25
done
