#!/usr/bin/env bash
# Builds the Windows programs and starts the monitor controller under Wine against
# the default simulated desk, on $DISPLAY when there is one, otherwise on our own X
# server. Opens the settings window from the tray icon's menu and leaves a
# screenshot of it in build/run/settings.png.
#   VISTREL_SIM_CONFIG   simulated desk (default sim/configs/default-desk.json)
#   VISTREL_LANG=ja      Japanese prefix and user interface
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
tools/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw

own_server=
if [[ -z ${DISPLAY:-} ]]; then
  tools/xserver.sh start 78 >/dev/null
  export DISPLAY=:78
  own_server=78
fi
bin=$root/build/mingw/bin
out=$root/build/run
mkdir -p "$out"
export VISTREL_SIM_CONFIG=${VISTREL_SIM_CONFIG:-$root/sim/configs/default-desk.json}

tools/wine-run.sh "$bin/vistrelddcci.exe" >"$out/vistrelddcci.log" 2>&1 &
program=$!
stop_own_server() {
  if [[ -n $own_server ]]; then
    tools/xserver.sh stop "$own_server"
  fi
}
trap stop_own_server EXIT

# The icon appears once the monitors were found and the tray took it.
tray=
for _ in $(seq 120); do
  tray=$(xdotool search --name "Wine System Tray" 2>/dev/null | head -n1 || true)
  [[ -n $tray ]] && xwininfo -id "$tray" 2>/dev/null | grep -q 'IsViewable' && break
  tray=
  kill -0 "$program" 2>/dev/null || { echo "vistrelddcci ended; see $out/vistrelddcci.log" >&2; exit 1; }
  sleep 0.5
done
sleep 1

open_tray_menu() {
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove $((X + 10)) $((Y + 10)) click 3
  sleep 1
}

if [[ -n $tray ]]; then
  # The first item of the menu is the settings window.
  open_tray_menu
  xdotool key Down Return
  # Away from the icon, so that its tip does not cover the picture.
  xdotool mousemove 640 900
  sleep 3
  import -window root "$out/settings.png"
  echo "screenshot of the settings window: $out/settings.png"
else
  echo "no stand-alone tray window found (a desktop tray holds the icon): open the settings from it" >&2
fi

if [[ -n $own_server ]]; then
  # Nobody can use a private X server: close the settings window with its "Close"
  # button (bottom right), then end the program through its own menu.
  if [[ -n $tray ]]; then
    settings=$(xdotool search --name '^Panelwright Pro for LCD \(DDC/CI\)$' 2>/dev/null | head -n1 || true)
    if [[ -n $settings ]]; then
      eval "$(xdotool getwindowgeometry --shell "$settings")"
      xdotool mousemove $((X + WIDTH - 53)) $((Y + HEIGHT - 22)) click 1
      sleep 1
    fi
    open_tray_menu
    xdotool key Up Return
  fi
  for _ in $(seq 40); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.25
  done
  kill "$program" 2>/dev/null || true
else
  echo "vistrelddcci runs on $DISPLAY; end it with \"Exit\" in its tray menu"
fi
