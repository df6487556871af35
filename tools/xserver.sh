#!/usr/bin/env bash
# Brings up an X server for the Windows programs and tests:
#   xserver.sh start DISPLAYNUM [OUTPUTS]
#       Xorg with the dummy driver and OUTPUTS (1 to 4, default 2) outputs side by
#       side: 1280x1024 at 0,0 primary, then 1024x768 ones at 1280,0, 2304,0 and
#       3328,0; or Xvfb (one output) where Xorg cannot start. Prints "xorg" or "xvfb".
#       Tests can switch the other outputs on and off later with xrandr.
#   xserver.sh stop DISPLAYNUM    stops only a server this script started
set -euo pipefail
cmd=${1:?start|stop}
num=${2:-77}
outputs=${3:-2}
[[ $outputs =~ ^[1-4]$ ]] || { echo "xserver.sh: OUTPUTS must be 1 to 4, not '$outputs'" >&2; exit 2; }
# The checkout's own: another checkout's "stop" leaves a server started here alone.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
state=$root/build/xserver-$num
mkdir -p "$state"

start_xorg() {
  cat >"$state/xorg.conf" <<CONF
Section "ServerFlags"
  Option "DontVTSwitch" "true"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 131072
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Modeline "1280x1024" 108.00 1280 1328 1440 1688 1024 1025 1028 1066 +hsync +vsync
  Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1280x1024"
    Virtual $((1280 + 1024 * (outputs - 1))) 1024
  EndSubSection
EndSection
CONF
  Xorg ":$num" -config "$state/xorg.conf" -noreset -nolisten tcp -novtswitch -sharevts \
    -logfile "$state/xorg.log" >/dev/null 2>&1 &
  echo $! >"$state/pid"
  for _ in $(seq 50); do
    xrandr -d ":$num" >/dev/null 2>&1 && break
    kill -0 "$(cat "$state/pid")" 2>/dev/null || return 1
    sleep 0.1
  done
  local layout=(--output DUMMY0 --mode 1280x1024 --pos 0x0 --primary) n
  for ((n = 1; n < outputs; n++)); do
    xrandr -d ":$num" --addmode "DUMMY$n" 1024x768 >/dev/null 2>&1 || true
    layout+=(--output "DUMMY$n" --mode 1024x768 --pos "$((1280 + 1024 * (n - 1)))x0")
  done
  xrandr -d ":$num" "${layout[@]}" >/dev/null 2>&1 || return 1
}

start_xvfb() {
  Xvfb ":$num" -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/pid"
  for _ in $(seq 50); do
    xdpyinfo -display ":$num" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

case $cmd in
  start)
    if [[ -f $state/pid ]] && kill -0 "$(cat "$state/pid")" 2>/dev/null; then
      cat "$state/kind"; exit 0
    fi
    if xrandr -d ":$num" >/dev/null 2>&1; then
      echo "xserver.sh: display :$num is already in use by a server this checkout did not start" >&2
      exit 1
    fi
    if start_xorg; then
      echo xorg >"$state/kind"
    else
      [[ -f $state/pid ]] && kill "$(cat "$state/pid")" 2>/dev/null || true
      start_xvfb
      echo xvfb >"$state/kind"
    fi
    cat "$state/kind"
    ;;
  stop)
    if [[ -f $state/pid ]]; then
      pid=$(cat "$state/pid")
      kill "$pid" 2>/dev/null || true
      # Gone before we return, so that a server started next on this number can bind it.
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      rm -f "$state/pid"
    fi
    ;;
  *) echo "usage: $0 start|stop [display-number]" >&2; exit 2 ;;
esac
