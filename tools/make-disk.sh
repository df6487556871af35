#!/usr/bin/env bash
# Builds the utility disk the suite ships on, as a folder and as an ISO image:
# autorun.inf, the launcher (32-bit, so that autorun works on every Windows the
# disk names), its information files in English and Japanese, the manuals and the
# controller's two installers (MSIs made with wixl): one for 32-bit Windows, one
# for 64-bit Windows, each offered by the information files only to its systems.
#   make-disk.sh [X86_BIN_DIR [X64_BIN_DIR [OUT_DIR]]]
#   X86_BIN_DIR  the 32-bit build's bin folder (default build/mingw32/bin)
#   X64_BIN_DIR  the 64-bit build's bin folder (default build/mingw/bin)
#   OUT_DIR      where disk/ and utility-disk.iso go (default build/disk)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
x86=${1:-$root/build/mingw32/bin}
x64=${2:-$root/build/mingw/bin}
out=${3:-$root/build/disk}
for needed in "$x86/launcher.exe" "$x86/vistrelddcci.exe" "$x86/vistrelctl.exe" "$x86/real/minfolib.dll"; do
  [[ -f $needed ]] || { echo "make-disk: missing $needed (build the mingw32 preset first)" >&2; exit 1; }
done
for needed in "$x64/vistrelddcci.exe" "$x64/vistrelctl.exe" "$x64/real/minfolib.dll"; do
  [[ -f $needed ]] || { echo "make-disk: missing $needed (build the mingw preset first)" >&2; exit 1; }
done
x86=$(cd "$x86" && pwd) x64=$(cd "$x64" && pwd)

disk=$out/disk
rm -rf "$disk" "$out/utility-disk.iso"
mkdir -p "$disk/LauncherInfo" "$disk/Manual" "$disk/Software/Panelwright"

cp "$x86/launcher.exe" "$disk/"
cp "$here/disk/LauncherInfo_EN.xml" "$here/disk/LauncherInfo_JA.xml" "$disk/LauncherInfo/"
printf '[autorun]\r\nopen=launcher.exe\r\nicon=launcher.exe,0\r\nlabel=Orvex LCD Utility Disk\r\n' >"$disk/autorun.inf"

# A one-page PDF with a line of text: stands in for the printed manuals.
sample_pdf() {  # file title
  local file=$1 title=$2
  local stream="BT /F1 24 Tf 72 720 Td ($title) Tj ET"
  local objects=(
    "<< /Type /Catalog /Pages 2 0 R >>"
    "<< /Type /Pages /Kids [3 0 R] /Count 1 >>"
    "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R /Resources << /Font << /F1 5 0 R >> >> >>"
    "<< /Length ${#stream} >>
stream
$stream
endstream"
    "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"
  )
  local body="%PDF-1.4"$'\n' offsets=() i
  for i in "${!objects[@]}"; do
    offsets+=("${#body}")
    body+="$((i + 1)) 0 obj"$'\n'"${objects[$i]}"$'\n'"endobj"$'\n'
  done
  local xref=${#body}
  body+="xref"$'\n'"0 $((${#objects[@]} + 1))"$'\n'"0000000000 65535 f "$'\n'
  for i in "${offsets[@]}"; do body+=$(printf '%010d 00000 n ' "$i")$'\n'; done
  body+="trailer"$'\n'"<< /Size $((${#objects[@]} + 1)) /Root 1 0 R >>"$'\n'"startxref"$'\n'"$xref"$'\n'"%%EOF"$'\n'
  printf '%s' "$body" >"$file"
}
for model in VX2410 VX2710W; do
  sample_pdf "$disk/Manual/${model}_Manual_EN.pdf" "$model User's Manual"
  sample_pdf "$disk/Manual/${model}_Manual_JA.pdf" "$model User's Manual (Japanese)"
done
sample_pdf "$disk/Manual/Panelwright_EN.pdf" "Panelwright Pro for LCD"
sample_pdf "$disk/Manual/Panelwright_JA.pdf" "Panelwright Pro for LCD (Japanese)"

# wixl takes the packaged files from the folder of the description; one
# description serves both installers, the architecture picks the Program Files
# folder and the registry view of the Run value.
for arch in x86 x64; do
  stage=$(mktemp -d)
  bin=$x86
  [[ $arch == x64 ]] && bin=$x64
  cp "$here/disk/panelwright.wxs" "$bin/vistrelddcci.exe" "$bin/vistrelctl.exe" "$bin/real/minfolib.dll" "$stage/"
  wixl -a "$arch" -D Arch="$arch" -o "$disk/Software/Panelwright/PanelwrightSetup-$arch.msi" "$stage/panelwright.wxs"
  rm -rf "$stage"
done

xorriso -as mkisofs -quiet -J -joliet-long -R -V ORVEX_LCD -o "$out/utility-disk.iso" "$disk"
echo "$disk"
echo "$out/utility-disk.iso"
