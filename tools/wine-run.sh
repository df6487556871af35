#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, quietly and
# without the pipe trap: the Wine server is started first, so programs whose
# output is piped (ctest, grep) end as soon as they end.
#   VISTREL_WINEPREFIX  prefix folder (default: build/wineprefix-<lang>)
#   VISTREL_LANG        en (default) or ja: the prefix is created under that locale
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
lang=${VISTREL_LANG:-en}
if [[ $lang == ja ]]; then
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
else
  export LANG=C.UTF-8 LC_ALL=C.UTF-8
fi
export WINEPREFIX=${VISTREL_WINEPREFIX:-$here/../build/wineprefix-$lang}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# Our stand-in DLLs beside the programs come before Wine's own.
export WINEDLLOVERRIDES="mscoree,mshtml=;dxva2=n,b;minfolib=n,b${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  # A persistent server, started before anything else, keeps Wine's background
  # services from holding our stdout open.
  # (fd 9 is closed for everything started here, or the lock would live on in them)
  wineserver -p 9>&- 2>/dev/null || true
  if [[ ! -f $WINEPREFIX/.vistrel-ready ]]; then
    wineboot -i </dev/null >/dev/null 2>&1 9>&- || true
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
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -p 9>&- 2>/dev/null || true
    touch "$WINEPREFIX/.vistrel-ready"
  fi
  wine cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
) 9>"$WINEPREFIX.lock"
exec wine "$@"
