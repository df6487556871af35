#!/usr/bin/env bash
# Runs the utility disk's end-to-end test: builds the disk with make-disk.sh,
# maps its folder as CD-ROM drive D: of the Wine prefix for the run, and starts
# the test driver there.
#   disk_e2e.sh BIN_DIR DRIVER.exe GTEST_FILTER [LANG [X64_BIN_DIR]]
# BIN_DIR is the 32-bit build's (the disk's launcher and the x86 controller),
# X64_BIN_DIR the 64-bit build's (default build/mingw/bin). LANG ja runs it in the
# Japanese prefix, where the launcher reads the disk's Japanese information file.
# VISTREL_WINEARCH picks a 32-bit or a 64-bit prefix (tools/wine-run.sh).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
bin=$(cd "$1" && pwd) driver=$(realpath "$2") filter=$3 lang=${4:-en} x64bin=${5:-$root/build/mingw/bin}
if [[ $lang == ja ]]; then
  export VISTREL_LANG=ja
  # The Japanese prefix of the same architecture, unless one is named.
  if [[ -n ${VISTREL_WINEPREFIX_JA:-} ]]; then export VISTREL_WINEPREFIX=$VISTREL_WINEPREFIX_JA; else unset VISTREL_WINEPREFIX; fi
fi
prefix=$("$root/tools/wine-run.sh" --prefix)

work=$(mktemp -d "${TMPDIR:-/tmp}/vistrel-disk-e2e.XXXXXX")
drive=$prefix/dosdevices/d:
cleanup() {
  rm -f "$drive"
  "$root/tools/wine-run.sh" 'C:\windows\system32\reg.exe' delete 'HKLM\Software\Wine\Drives' /v d: /reg:64 /f \
    </dev/null >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

"$root/tools/make-disk.sh" "$bin" "$x64bin" "$work/out" >/dev/null
# Wine needs the prefix before a drive can be added to it. /reg:64: in a 64-bit
# prefix "system32\reg.exe" started from Linux is the 32-bit one, whose HKLM\Software
# is the 32-bit view; the drive table lives in the 64-bit one.
"$root/tools/wine-run.sh" 'C:\windows\system32\reg.exe' add 'HKLM\Software\Wine\Drives' /v d: /t REG_SZ \
  /d cdrom /reg:64 /f </dev/null >/dev/null 2>&1
rm -f "$drive"
ln -s "$work/out/disk" "$drive"
# The drive table is read when the Wine server starts.
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
WINEPREFIX=$prefix wineserver -w 2>/dev/null || true

dos() { printf 'Z:%s' "${1//\//\\}"; }
export E2E_WORK_DOS=$(dos "$work") E2E_DISK_DOS='D:'
# The driver's output goes through a file: the Wine server was started afresh
# above, and programs it starts during the test (the desktop that holds the tray,
# the installer's service) would otherwise keep the test's output open after the
# driver has ended.
status=0
"$root/tools/wine-run.sh" "$driver" --gtest_filter="$filter" </dev/null >"$work/driver.log" 2>&1 || status=$?
cat "$work/driver.log"
exit "$status"
