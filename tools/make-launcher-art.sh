#!/usr/bin/env bash
# Draws the launcher's icon and its window and page backgrounds (English and
# Japanese sets, small and large) with ImageMagick's convert into
# resources/launcher/art/. The results are committed; run this again only after
# changing the drawing below.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=$here/../resources/launcher/art
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# --- Program icon: a disc with its centre hole and a light reflection.
convert -size 48x48 xc:none \
  -fill '#c9ced6' -stroke '#59606b' -strokewidth 2 -draw 'circle 24,24 24,3' \
  -fill 'rgba(95,180,240,0.55)' -stroke none -draw 'path "M 24,24 L 24,4 A 20,20 0 0,1 44,24 Z"' \
  -fill 'rgba(245,199,60,0.6)' -draw 'path "M 24,24 L 4,24 A 20,20 0 0,1 24,4 Z"' \
  -fill '#eef0f3' -stroke '#59606b' -strokewidth 1 -draw 'circle 24,24 24,15' \
  -fill none -draw 'circle 24,24 24,20' \
  "$work/disc-48.png"
convert "$work/disc-48.png" -resize 32x32 "$work/disc-32.png"
convert "$work/disc-48.png" -resize 16x16 "$work/disc-16.png"
convert "$work/disc-16.png" "$work/disc-32.png" "$work/disc-48.png" "$out/launcher.ico"

# --- Backgrounds. Pages and the window tile them unscaled at 96 and 120 dpi, so each
# is larger than its window at those resolutions; controls sit on the flat top-left
# part (the brush origin is set per control so the picture continues behind them).
# The description column of a link page is a soft panel on the left; the language
# sets differ in the colour of the accent band.
background() {  # file width height accent panel-width
  local file=$1 w=$2 h=$3 accent=$4 panel=$5
  local panel_draw=()
  if ((panel > 0)); then panel_draw=(-fill '#e8ebe4' -draw "rectangle 0,0 $panel,$h"); fi
  convert -size "${w}x${h}" xc:'#f4f4ef' "${panel_draw[@]}" \
    -fill "$accent" -draw "rectangle 0,$((h - h / 18)) $w,$h" \
    -fill none -stroke "$accent" -strokewidth $((w / 160 + 1)) \
    -draw "circle $((w - w / 7)),$((h - h / 5)) $((w - w / 7 - w / 9)),$((h - h / 5))" \
    +dither -colors 32 -type Palette -compress RLE "BMP3:$out/$file.bmp"
}
for lang in en ja; do
  if [[ $lang == en ]]; then accent='#f5c73c'; else accent='#e0607e'; fi
  background "main-$lang" 1000 620 "$accent" 0
  background "main-$lang-hi" 1500 930 "$accent" 0
  background "page-$lang" 1000 560 "$accent" 350
  background "page-$lang-hi" 1500 840 "$accent" 525
  background "info-$lang" 1000 560 "$accent" 0
  background "info-$lang-hi" 1500 840 "$accent" 0
done
