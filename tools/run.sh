#!/usr/bin/env bash
# Builds the Windows programs and runs them under Wine against the default
# simulated desk, on $DISPLAY when there is one, otherwise on our own X server.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
tools/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw
if [[ -z ${DISPLAY:-} ]]; then
  tools/xserver.sh start 78 >/dev/null
  export DISPLAY=:78
  trap 'tools/xserver.sh stop 78' EXIT
fi
bin=$root/build/mingw/bin
export VISTREL_SIM_CONFIG=${VISTREL_SIM_CONFIG:-$root/sim/configs/default-desk.json}
tools/wine-run.sh "$bin/discovery-report.exe"
