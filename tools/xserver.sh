#!/usr/bin/env bash
# Brings up an X server for the Windows programs and tests:
#   xserver.sh start DISPLAYNUM   Xorg with the dummy driver and two outputs side by
#                                 side (1280x1024 at 0,0 primary, 1024x768 at 1280,0),
#                                 or Xvfb where Xorg cannot start; prints "xorg" or "xvfb"
#   xserver.sh stop DISPLAYNUM    stops only a server this script started
set -euo pipefail
cmd=${1:?start|stop}
num=${2:-77}
state=${TMPDIR:-/tmp}/vistrel-x$num
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
    Virtual 2304 1024
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
  xrandr -d ":$num" --addmode DUMMY1 1024x768 >/dev/null 2>&1 || true
  xrandr -d ":$num" --output DUMMY0 --mode 1280x1024 --pos 0x0 --primary \
    --output DUMMY1 --mode 1024x768 --pos 1280x0 >/dev/null 2>&1 || return 1
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
      kill "$(cat "$state/pid")" 2>/dev/null || true
      rm -f "$state/pid"
    fi
    ;;
  *) echo "usage: $0 start|stop [display-number]" >&2; exit 2 ;;
esac
