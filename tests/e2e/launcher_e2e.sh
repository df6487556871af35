#!/usr/bin/env bash
# Runs one end-to-end test of the launcher under Wine from a fresh test disk:
# the launcher, an information file, a manual and the recorder program that
# stands in for readers, tools and setups.
#   launcher_e2e.sh BIN_DIR DRIVER.exe GTEST_FILTER [LANG] [sample|repeat|hostile|entity|planted]
# "sample" puts the disk's own information files on the disk instead of the
# test description; "repeat" a description with two tabs of each of two kinds; "hostile" puts files there that declare a document type
# with an external entity naming a file outside the disk and an entity bomb,
# both used; "entity" the same with the bomb declared but not used (a parser
# that refuses bombs by itself would otherwise hide what it does with the rest).
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
printf 'read me\n' >"$disk/Manual/readme.txt"
printf '<html></html>\n' >"$disk/Manual/readme.htm"
dos() { printf 'Z:%s' "${1//\//\\}"; }
if [[ $kind == sample ]]; then
  cp "$root/launcher/samples/LauncherInfo/"*.xml "$disk/LauncherInfo/"
elif [[ $kind == repeat ]]; then
  cp "$here/launcher-disk-repeat/"*.xml "$disk/LauncherInfo/"
elif [[ $kind == hostile || $kind == entity ]]; then
  caption='&b9;'
  [[ $kind == entity ]] && caption='none'
  printf 'Secret from outside the disk' >"$work/secret.txt"
  for file in LauncherInfo_EN.xml LauncherInfo_JA.xml; do
    {
      printf '<?xml version="1.0" encoding="UTF-8"?>\n<!DOCTYPE Orvex_LCD_Utility_Disk [\n'
      printf '  <!ENTITY secret SYSTEM "file:///Z:%s">\n' "$work/secret.txt"
      printf '  <!ENTITY b0 "bombbombbomb">\n'
      for level in 1 2 3 4 5 6 7 8 9; do
        printf '  <!ENTITY b%d "' $level
        for _ in 1 2 3 4 5 6 7 8 9 10; do printf '&b%d;' $((level - 1)); done
        printf '">\n'
      done
      printf ']>\n<Orvex_LCD_Utility_Disk>\n  <Launcher_Title>&secret;</Launcher_Title>\n'
      printf '  <Manual_Tab><Title>&secret;</Title>\n'
      printf '    <Button_Info><Title>&secret;</Title><Caption>%s</Caption><Item>Web</Item>' "$caption"
      printf '<Info_URL>http://www.orvex.example/</Info_URL></Button_Info>\n'
      printf '  </Manual_Tab>\n</Orvex_LCD_Utility_Disk>\n'
    } >"$disk/LauncherInfo/$file"
  done
else
  cp "$here/launcher-disk/"*.xml "$disk/LauncherInfo/"
  # A product for the removal step: installed by the test, removed by the launcher.
  stage=$work/msi
  mkdir -p "$stage"
  cp "$here/launcher-msi/removal-test.wxs" "$stage/"
  printf 'installed\n' >"$stage/marker.txt"
  wixl -a x64 -o "$disk/Setup/removal-test.msi" "$stage/removal-test.wxs"
fi

if [[ $kind == planted ]]; then
  # Copies of one recording library under the names of system libraries, and the
  # library under its own name, which each copy looks for to tell whether the
  # search still reaches the disk folder. Wine prefers its own builtin libraries;
  # told to take a copy it finds first, it searches as Windows does, where the
  # program's folder comes before the system's. Not for version.dll: Wine's own
  # user32 imports it (Windows' does not), so every program would load a copy
  # beside it before any of its code runs; the launcher's own imports are checked
  # in its import table instead.
  for name in version msi uxtheme dwmapi cryptbase planted; do cp "$bin/planted.dll" "$disk/$name.dll"; done
  export WINEDLLOVERRIDES="msi,uxtheme,dwmapi,cryptbase=n,b${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
fi

export E2E_WORK_DOS=$(dos "$work") E2E_DISK_DOS=$(dos "$disk")
if [[ $lang == ja ]]; then
  export VISTREL_LANG=ja
  # The Japanese prefix of the same architecture, unless one is named.
  if [[ -n ${VISTREL_WINEPREFIX_JA:-} ]]; then export VISTREL_WINEPREFIX=$VISTREL_WINEPREFIX_JA; else unset VISTREL_WINEPREFIX; fi
fi
"$root/tools/wine-run.sh" "$driver" --gtest_filter="$filter" </dev/null
