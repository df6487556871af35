#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests under ASan/UBSan, a
# short run of each fuzz target, then the Windows programs and their tests
# under Wine on an X server of our own: the 64-bit build whole, then the 32-bit
# build's focused set (the disk with its 32-bit launcher in a 32-bit and a 64-bit
# prefix, the x86 controller and vistrelctl against the simulator).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
tools/install-deps.sh
tools/check-commands.sh
tools/check-format.sh

echo "== native unit tests =="
cmake --workflow --preset native

echo "== fuzz targets =="
cmake --workflow --preset fuzz

echo "== Windows programs and tests under Wine =="
xnum=${VISTREL_XDISPLAY:-77}
kind=$(tools/xserver.sh start "$xnum")
stop_all() {
  tools/xserver.sh stop "$xnum"
  local prefix
  for prefix in wineprefix-en wineprefix-ja wineprefix32-en wineprefix32-ja; do
    WINEPREFIX=$root/build/$prefix wineserver -k 2>/dev/null || true
  done
}
trap stop_all EXIT
export DISPLAY=:$xnum VISTREL_XSERVER=$kind
cmake --workflow --preset mingw

echo "== 32-bit programs and their focused tests under Wine =="
cmake --workflow --preset mingw32
