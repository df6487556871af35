#!/usr/bin/env bash
# Builds the utility disk the suite ships on, as a folder and as an ISO image:
# autorun.inf, the launcher, its information files in English and Japanese, the
# manuals and the controller's installer (an MSI made with wixl).
#   make-disk.sh [BIN_DIR] [OUT_DIR]
#   BIN_DIR  the Windows build's bin folder (default build/mingw/bin)
#   OUT_DIR  where disk/ and utility-disk.iso go (default build/disk)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
bin=$(cd "${1:-$root/build/mingw/bin}" && pwd)
out=${2:-$root/build/disk}
for needed in "$bin/launcher.exe" "$bin/vistrelddcci.exe" "$bin/vistrelctl.exe" "$bin/real/minfolib.dll"; do
  [[ -f $needed ]] || { echo "make-disk: missing $needed (build the mingw preset first)" >&2; exit 1; }
done

disk=$out/disk
rm -rf "$disk" "$out/utility-disk.iso"
mkdir -p "$disk/LauncherInfo" "$disk/Manual" "$disk/Software/Panelwright"

cp "$bin/launcher.exe" "$disk/"
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

# wixl takes the packaged files from the folder of the description.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$here/disk/panelwright.wxs" "$bin/vistrelddcci.exe" "$bin/vistrelctl.exe" "$bin/real/minfolib.dll" "$stage/"
wixl -a x64 -o "$disk/Software/Panelwright/PanelwrightSetup.msi" "$stage/panelwright.wxs"

xorriso -as mkisofs -quiet -J -joliet-long -R -V ORVEX_LCD -o "$out/utility-disk.iso" "$disk"
echo "$disk"
echo "$out/utility-disk.iso"
