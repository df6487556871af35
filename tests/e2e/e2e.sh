#!/usr/bin/env bash
# Runs one end-to-end test of the controller under Wine: a fresh work folder with
# the desk configurations, an xrandr helper for tests that rearrange the displays,
# and the test driver in the same Wine prefix as the program.
#   e2e.sh BIN_DIR DRIVER.exe GTEST_FILTER [LANG]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
bin=$(cd "$1" && pwd) driver=$(realpath "$2") filter=$3 lang=${4:-en}

work=$(mktemp -d "${TMPDIR:-/tmp}/vistrel-e2e.XXXXXX")
helper=
cleanup() {
  [[ -n $helper ]] && kill "$helper" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cp "$root"/sim/configs/*.json "$work/"
cp "$here"/*.json "$work/"

# A test that failed half-way may have left the second output off, or the third
# and fourth on.
if [[ ${VISTREL_XSERVER:-} == xorg ]]; then
  xrandr -d "${DISPLAY:-:0}" --output DUMMY1 --mode 1024x768 --pos 1280x0 \
    --output DUMMY2 --off --output DUMMY3 --off >/dev/null 2>&1 || true
fi

# The driver asks for display changes through a request file, which it puts in
# place whole (written under another name, then renamed). The answer, written
# before the request is removed: xrandr's exit status, then the active outputs
# as X now has them ("1024x768+1280+0"), for the driver to wait until Wine
# shows the same.
(
  while true; do
    if [[ -f $work/xrandr.request ]]; then
      args=$(tr -d '\r' <"$work/xrandr.request")
      status=0
      # shellcheck disable=SC2086
      xrandr -d "${DISPLAY:-:0}" $args >/dev/null 2>&1 || status=$?
      {
        echo "$status"
        xrandr -d "${DISPLAY:-:0}" --query 2>/dev/null |
          sed -n 's/^[^ ]* connected \(primary \)\{0,1\}\([0-9]*x[0-9]*+[0-9-]*+[0-9-]*\).*/\2/p'
      } >"$work/xrandr.answer.new"
      mv -f "$work/xrandr.answer.new" "$work/xrandr.answer"
      rm -f "$work/xrandr.request"
    fi
    sleep 0.1
  done
) &
helper=$!

export E2E_PROGRAM=$bin/vistrelddcci.exe E2E_WORK=$work E2E_CONFIG_DIR=$work
if [[ $lang == ja ]]; then
  export VISTREL_LANG=ja
  # The Japanese prefix of the same architecture, unless one is named.
  if [[ -n ${VISTREL_WINEPREFIX_JA:-} ]]; then export VISTREL_WINEPREFIX=$VISTREL_WINEPREFIX_JA; else unset VISTREL_WINEPREFIX; fi
fi
"$root/tools/wine-run.sh" "$driver" --gtest_filter="$filter" </dev/null
