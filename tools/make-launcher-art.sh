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

# --- Backgrounds. At 96 and 120 dpi the window and pages tile them unscaled, each a
# little larger than what shows of it (fonts differ between systems, and a pattern
# that repeated would show a seam); at any other resolution the whole picture is
# stretched, unevenly, onto the window or page. So the pictures hold nothing that
# depends on where the tiling cuts or that a stretch would bend: flat ground, the
# description column of a link page as a soft panel on the left with an accent rule
# along its edge, and an accent rule along the top of the window and the left of
# the information page. The language sets differ in the accent colour.
background() {  # file width height accent kind(main|page|info)
  local file=$1 w=$2 h=$3 accent=$4 kind=$5
  local rule=$((w / 330 + 1)) panel=$((w * 35 / 100))
  local draw=()
  case $kind in
    main) draw=(-fill "$accent" -draw "rectangle 0,0 $w,$((rule - 1))") ;;
    page) draw=(-fill '#e8ebe4' -draw "rectangle 0,0 $panel,$h"
                -fill "$accent" -draw "rectangle $((panel + 1)),0 $((panel + rule)),$h") ;;
    info) draw=(-fill "$accent" -draw "rectangle 0,0 $((rule - 1)),$h") ;;
  esac
  convert -size "${w}x${h}" xc:'#f4f4ef' "${draw[@]}" \
    +dither -colors 32 -type Palette -compress RLE "BMP3:$out/$file.bmp"
}
for lang in en ja; do
  if [[ $lang == en ]]; then accent='#f5c73c'; else accent='#e0607e'; fi
  # Sized for the taller Japanese windows too (about 935 x 620 at 96 dpi).
  background "main-$lang" 1000 700 "$accent" main
  background "main-$lang-hi" 1250 875 "$accent" main
  background "page-$lang" 1000 620 "$accent" page
  background "page-$lang-hi" 1250 775 "$accent" page
  background "info-$lang" 1000 620 "$accent" info
  background "info-$lang-hi" 1250 775 "$accent" info
done
