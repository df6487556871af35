#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests under ASan/UBSan, a
# short run of each fuzz target, then the Windows programs and their tests
# under Wine on an X server of our own.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
tools/install-deps.sh
tools/check-commands.sh

echo "== native unit tests =="
cmake --workflow --preset native

echo "== fuzz targets =="
cmake --workflow --preset fuzz

echo "== Windows programs and tests under Wine =="
xnum=${VISTREL_XDISPLAY:-77}
kind=$(tools/xserver.sh start "$xnum")
trap 'tools/xserver.sh stop "$xnum"; WINEPREFIX=$root/build/wineprefix-en wineserver -k 2>/dev/null || true; WINEPREFIX=$root/build/wineprefix-ja wineserver -k 2>/dev/null || true' EXIT
export DISPLAY=:$xnum VISTREL_XSERVER=$kind
cmake --workflow --preset mingw
