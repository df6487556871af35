#!/usr/bin/env bash
# Runs one end-to-end test of the break reminder or the screen filter: draws the
# filter's sample pictures once per build folder, starts a compositing manager
# (layered windows are translucent under Wine only with one), then hands over to
# the common e2e runner.
#   calmira_e2e.sh BIN_DIR DRIVER.exe GTEST_FILTER [LANG]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
samples=$(cd "$1/.." && pwd)/filter-samples
if [[ ! -f $samples/data/DefFilter.xml ]]; then
  bash "$root/tools/make-filter-samples.sh" "$samples" >/dev/null
fi
export E2E_FILTER_SAMPLES=$samples
compositor=
# A compositor already on the display keeps ours from starting; it then just ends.
if command -v xcompmgr >/dev/null; then
  xcompmgr -d "${DISPLAY:-:0}" >/dev/null 2>&1 &
  compositor=$!
fi
status=0
bash "$here/e2e.sh" "$@" || status=$?
[[ -n $compositor ]] && kill "$compositor" 2>/dev/null || true
exit $status
