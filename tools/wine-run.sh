#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, quietly and
# without the pipe trap: the Wine server is started first, so programs whose
# output is piped (ctest, grep) end as soon as they end.
#   VISTREL_WINEPREFIX  prefix folder (default: build/wineprefix-<lang>, and
#                       build/wineprefix32-<lang> for win32)
#   VISTREL_LANG        en (default) or ja: the prefix is created under that locale
#   VISTREL_WINEARCH    win64 (default: runs 64-bit and 32-bit programs, like 64-bit
#                       Windows) or win32 (a 32-bit Windows, 32-bit programs only)
#   wine-run.sh --prefix   prints the prefix folder these settings give, and ends
#
# The prefix's desktop takes the X server's display layout when its Wine server
# starts and keeps it while that server lives. A program started without a display
# would leave it with one 1024x768 display, so this script refuses to run without
# an X server that answers, and restarts the prefix's Wine server whenever the X
# outputs differ from the ones its desktop started with.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lang=${VISTREL_LANG:-en}
if [[ $lang == ja ]]; then
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
else
  export LANG=C.UTF-8 LC_ALL=C.UTF-8
fi
arch=${VISTREL_WINEARCH:-win64}
case $arch in
  win64) export WINEPREFIX=${VISTREL_WINEPREFIX:-$(cd "$here/.." && pwd)/build/wineprefix-$lang} ;;
  win32) export WINEPREFIX=${VISTREL_WINEPREFIX:-$(cd "$here/.." && pwd)/build/wineprefix32-$lang} ;;
  *) echo "wine-run.sh: VISTREL_WINEARCH is win64 or win32, not '$arch'" >&2; exit 2 ;;
esac
if [[ ${1:-} == --prefix ]]; then
  echo "$WINEPREFIX"
  exit 0
fi
export WINEDEBUG=${WINEDEBUG:--all}
# A prefix keeps the architecture it was made with; Wine refuses the other one.
export WINEARCH=$arch
# Our stand-in DLLs beside the programs come before Wine's own.
export WINEDLLOVERRIDES="mscoree,mshtml=;dxva2=n,b;minfolib=n,b${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

fail() { echo "wine-run.sh: $*" >&2; exit 1; }

for command in wine wineboot wineserver xrandr; do
  command -v "$command" >/dev/null || fail "'$command' is missing; run tools/install-deps.sh"
done
[[ -n ${DISPLAY:-} ]] || fail "DISPLAY is not set. Windows programs need an X server: start one with
  tools/xserver.sh start N && export DISPLAY=:N
(without one, Wine would give the prefix a single 1024x768 display)"
# The active outputs with their places, e.g. "DUMMY0 1280x1024+0+0 DUMMY1 1024x768+1280+0".
layout=$(xrandr -d "$DISPLAY" --query 2>/dev/null |
  sed -n 's/^\([^ ]*\) connected \(primary \)\{0,1\}\([0-9]*x[0-9]*+[0-9-]*+[0-9-]*\).*/\1 \3/p' | tr '\n' ' ') ||
  true
[[ -n $layout ]] || fail "the X server on DISPLAY=$DISPLAY does not answer or shows no output. Start one with
  tools/xserver.sh start N && export DISPLAY=:N"
layout="$DISPLAY $layout"

# Settings every prefix of ours carries; raise the number when they change, and
# prefixes made before take them at their next use.
settings_version=3
apply_settings() {
  # Those captions draw their buttons with the Marlett font, which this Wine does
  # not find in its own data folder: the prefix's font folder holds a copy.
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" ||
    echo "wine-run.sh: no Marlett font (package fonts-wine): window captions will show letters for their buttons" >&2
  # No window manager runs on the test X server: Wine then draws the Windows
  # frames and captions itself, and hiding a window no longer waits ~2 s for a
  # window manager that never answers. In a 64-bit prefix this reg.exe is the
  # 32-bit one; HKCU\Software\Wine is one key for both views, so unlike HKLM
  # writes (tests/e2e/disk_e2e.sh) these need no /reg:64.
  wine 'C:\windows\system32\reg.exe' add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 9>&- &&
    wine 'C:\windows\system32\reg.exe' add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 9>&-
}

restart_server() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  # A persistent server, started before anything else, keeps Wine's background
  # services from holding our stdout open.
  wineserver -p 9>&- 2>/dev/null || true
}

mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  # (fd 9 is closed for everything started here, or the lock would live on in them)
  wineserver -p 9>&- 2>/dev/null || true
  ready=$WINEPREFIX/.vistrel-ready
  if [[ ! -f $ready ]]; then
    wineboot -i </dev/null >"$WINEPREFIX.wineboot.log" 2>&1 9>&- ||
      fail "could not create the Wine prefix $WINEPREFIX (wineboot failed; see $WINEPREFIX.wineboot.log)"
    [[ -f $WINEPREFIX/drive_c/windows/system32/kernel32.dll ]] ||
      fail "could not create the Wine prefix $WINEPREFIX (wineboot left no Windows folder; see $WINEPREFIX.wineboot.log)"
    apply_settings || fail "could not write the prefix's settings into $WINEPREFIX"
    # A new prefix takes the display layout once and keeps it; with the dummy Xorg
    # it was seen to keep one display of two. Switching the second output off and on
    # while the prefix's desktop runs makes it record the real layout.
    second=$(xrandr 2>/dev/null | sed -n 's/^DUMMY1 connected \(primary \)\{0,1\}\([0-9]*x[0-9]*\)+\([0-9-]*\)+\([0-9-]*\).*/\2 \3x\4/p')
    if [[ -n $second ]]; then
      wine explorer </dev/null >/dev/null 2>&1 9>&- &
      sleep 2
      xrandr --output DUMMY1 --off >/dev/null 2>&1 || true
      sleep 1
      xrandr --output DUMMY1 --mode "${second% *}" --pos "${second#* }" >/dev/null 2>&1 || true
      sleep 2
    fi
    # The server that created the prefix may have taken the display layout before
    # the prefix was complete (seen: one display of two); start afresh.
    restart_server
    echo "$settings_version" >"$ready" || fail "cannot write $ready"
    echo "$layout" >"$WINEPREFIX.layout"
  elif [[ $(cat "$ready") != "$settings_version" ]]; then
    apply_settings || fail "could not write the prefix's settings into $WINEPREFIX"
    echo "$settings_version" >"$ready"
  fi
  if [[ ! -f $WINEPREFIX.layout || $(cat "$WINEPREFIX.layout") != "$layout" ]]; then
    # The server's desktop holds the displays it started with: start a new one.
    restart_server
    echo "$layout" >"$WINEPREFIX.layout"
  fi
  wine cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
) 9>"$WINEPREFIX.lock"
exec wine "$@"
