#!/usr/bin/env bash
# Runs one end-to-end test of the launcher under Wine from a fresh test disk:
# the launcher, an information file, a manual and the recorder program that
# stands in for readers, tools and setups.
#   launcher_e2e.sh BIN_DIR DRIVER.exe GTEST_FILTER [LANG] [sample]
# "sample" puts the disk's own information files on the disk instead of the
# test description.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
bin=$(cd "$1" && pwd) driver=$(realpath "$2") filter=$3 lang=${4:-en} kind=${5:-test}

work=$(mktemp -d "${TMPDIR:-/tmp}/vistrel-launcher-e2e.XXXXXX")
trap 'rm -rf "$work"' EXIT
disk=$work/disk
mkdir -p "$disk/LauncherInfo" "$disk/Manual" "$disk/Tools" "$disk/Setup"
cp "$bin/launcher.exe" "$disk/"
cp "$bin/launcher_recorder.exe" "$disk/Tools/recorder.exe"
cp "$bin/launcher_recorder.exe" "$disk/Setup/setup.exe"
printf '%%PDF-1.4\n' >"$disk/Manual/present.pdf"
if [[ $kind == sample ]]; then
  cp "$root/launcher/samples/LauncherInfo/"*.xml "$disk/LauncherInfo/"
else
  cp "$here/launcher-disk/"*.xml "$disk/LauncherInfo/"
fi

dos() { printf 'Z:%s' "${1//\//\\}"; }
export E2E_WORK_DOS=$(dos "$work") E2E_DISK_DOS=$(dos "$disk")
if [[ $lang == ja ]]; then
  export VISTREL_LANG=ja
  export VISTREL_WINEPREFIX=${VISTREL_WINEPREFIX_JA:-$root/build/wineprefix-ja}
fi
"$root/tools/wine-run.sh" "$driver" --gtest_filter="$filter" </dev/null
