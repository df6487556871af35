#!/usr/bin/env bash
# Draws the controller's icons, cursor, page backgrounds and pictures with
# ImageMagick's convert into resources/controller/art/. The results are committed;
# run this again only after changing the drawing below.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=$here/../resources/controller/art
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# --- Program icons: a monitor on its stand; 152 is the same monitor switched off and
# crossed out, for the state with no monitor to control.
monitor_icon() {  # name screen-top screen-bottom [extra drawing options...]
  local name=$1 top=$2 bottom=$3
  shift 3
  convert -size 48x48 xc:none \
    -fill '#3a3f47' -draw 'roundrectangle 2,5 45,37 4,4' \
    \( -size 38x26 gradient:"$top-$bottom" \) -geometry +5+8 -composite \
    -fill '#3a3f47' -draw 'polygon 19,37 29,37 31,43 17,43' \
    -fill '#5b626d' -draw 'roundrectangle 11,42 37,45 2,2' \
    -fill 'rgba(255,255,255,0.35)' -draw 'polygon 5,8 30,8 5,26' \
    "$@" "$work/$name-48.png"
  convert "$work/$name-48.png" -resize 32x32 "$work/$name-32.png"
  convert "$work/$name-48.png" -resize 16x16 "$work/$name-16.png"
  convert "$work/$name-16.png" "$work/$name-32.png" "$work/$name-48.png" "$out/$name.ico"
}
monitor_icon program '#5fb4f0' '#1b5fa8'
monitor_icon no-monitor '#9aa0a8' '#5d636b' -stroke '#d23a2a' -strokewidth 5 -draw 'line 12,12 36,33'

# --- Link cursor: a pointing hand, outlined; hot spot on the finger tip.
hand_shapes='roundrectangle 9,1 13,16 2,2
roundrectangle 13,9 16,16 1,1
roundrectangle 16,10 19,17 1,1
roundrectangle 19,11 22,18 1,1
roundrectangle 6,13 22,27 4,4
polygon 6,16 2,12 1,15 6,22'
convert -size 32x32 xc:none \
  -fill black -stroke black -strokewidth 2 -draw "$hand_shapes" \
  -fill white -stroke none -draw "$hand_shapes" \
  -stroke '#808080' -strokewidth 1 -draw 'line 13,12 13,15 line 16,12 16,16 line 19,13 19,17' \
  "$work/hand.png"
convert "$work/hand.png" "$work/hand.ico"
# convert writes an icon directory; a cursor has type 2 and keeps its hot spot where an
# icon keeps planes and bit count.
cp "$work/hand.ico" "$out/link-hand.cur"
printf '\x02\x00' | dd of="$out/link-hand.cur" bs=1 seek=2 conv=notrunc status=none
printf '\x0b\x00\x01\x00' | dd of="$out/link-hand.cur" bs=1 seek=10 conv=notrunc status=none

# --- Page backgrounds, one per screen resolution. Pages tile them unscaled at 96 and
# 120 dpi, so each is larger than the largest page (Japanese fonts make pages bigger).
# Pages hand this brush to transparent controls too, mostly with the brush origin at the
# control's own corner, so the top-left part of the picture shows behind every such
# control: the top rows and the left part stay one flat colour, and the decoration (soft
# arcs in the page's accent colour) lies right of and below where controls start, inside
# the smallest page. 8-bit run-length encoded, as flat rows pack to a few bytes.
background() {  # name accent scale-in-percent
  local name=$1 accent=$2 s=$3
  local w=$((640 * s / 100)) h=$((600 * s / 100))
  local cx=$((470 * s / 100)) cy=$((330 * s / 100))
  local r1=$((150 * s / 100)) r2=$((112 * s / 100)) r3=$((96 * s / 100))
  convert -size "${w}x${h}" xc:'#ecece4' \
    -fill none -stroke "$accent" -strokewidth $((8 * s / 100)) -draw "circle $cx,$cy $((cx - r1)),$cy" \
    -stroke '#f7f7f2' -strokewidth $((14 * s / 100)) -draw "circle $cx,$cy $((cx - r2)),$cy" \
    -stroke "$accent" -strokewidth 1 -draw "circle $cx,$cy $((cx - r3)),$cy" \
    +dither -colors 32 -type Palette -compress RLE "BMP3:$out/$name.bmp"
}
pages="tonl:#3cb371 color:#f5a623 color-sub:#f5a623 sound:#5b8dd6 calmira:#79b95c
vsfilter:#8a6fc9 match:#e0607e match-step1:#e0607e match-step2:#e0607e match-step3:#e0607e"
for page in $pages; do
  name=${page%%:*}
  accent=${page#*:}
  background "$name-back" "$accent" 100
  background "$name-back-hi" "$accent" 125
done

# --- Sound page picture: a speaker with sound waves.
convert -size 48x48 xc:none \
  -fill '#4a5568' -draw 'polygon 6,18 14,18 24,9 24,39 14,30 6,30' \
  -fill none -stroke '#5b8dd6' -strokewidth 3 \
  -draw 'arc 20,14 34,34 -50,50' -draw 'arc 22,8 42,40 -55,55' \
  -background '#ecece4' -flatten -type TrueColor "BMP3:$out/sound-picture.bmp"

# --- Match page picture: three monitors showing the same picture.
match_picture() {  # name scale
  local name=$1 s=$2
  local w=$((240 * s / 4)) h=$((90 * s / 4))
  convert -size 240x90 xc:'#ecece4' \
    -fill '#3a3f47' -draw 'roundrectangle 8,10 76,66 3,3' \
    -draw 'roundrectangle 86,6 154,66 3,3' -draw 'roundrectangle 164,10 232,66 3,3' \
    -draw 'rectangle 38,66 46,76 rectangle 116,66 124,76 rectangle 194,66 202,76' \
    -draw 'rectangle 28,76 56,80 rectangle 106,76 134,80 rectangle 184,76 212,80' \
    \( -size 60x48 gradient:'#ffd27a-#e0607e' \) -geometry +12+14 -composite \
    \( -size 60x52 gradient:'#ffd27a-#e0607e' \) -geometry +90+10 -composite \
    \( -size 60x48 gradient:'#ffd27a-#e0607e' \) -geometry +168+14 -composite \
    -resize "${w}x${h}!" -type TrueColor "BMP3:$out/$name.bmp"
}
match_picture match-picture 4
match_picture match-picture-hi 5

# --- Wizard step 2 pictures: the colour temperature scale from warm to cool, in colour
# when the mode lets the temperature change and greyed when it does not; the low-colour
# copies are for screens with fewer than 16 bits per pixel.
convert \( -size 40x100 gradient:'#ff9a3c-#ffffff' -rotate -90 \) \
  \( -size 40x100 gradient:'#ffffff-#7aa8ff' -rotate -90 \) +append "$work/scale.png"
convert "$work/scale.png" -type TrueColor "BMP3:$out/step2-temperature.bmp"
convert "$work/scale.png" -colors 16 -type Palette "BMP3:$out/step2-temperature-lowcolor.bmp"
convert "$work/scale.png" -colorspace Gray -fill '#e4e4dc' -colorize 40 \
  -type TrueColor "BMP3:$out/step2-no-temperature.bmp"
convert "$work/scale.png" -colorspace Gray -fill '#e4e4dc' -colorize 40 -colors 16 \
  -type Palette "BMP3:$out/step2-no-temperature-lowcolor.bmp"

# --- Colour detail dialog. Item icons beside the sliders, in colour while the mode lets
# the item change and greyed while it does not (one greyed icon serves the three gains),
# drawn on the page's flat colour so the centred picture blends with its static.
item_icon() {  # name drawing-options...
  local name=$1
  shift
  convert -size 20x20 xc:'#ecece4' "$@" -type TrueColor "BMP3:$out/$name.bmp"
}
sun='circle 10,10 10,6
line 10,1 10,3 line 10,17 10,19 line 1,10 3,10 line 17,10 19,10
line 4,4 5,5 line 15,15 16,16 line 4,16 5,15 line 15,5 16,4'
half='circle 10,10 10,2'
curve='bezier 2,18 12,17 16,10 18,2'
dot='circle 10,10 10,3'
item_icon item-brightness -fill '#f5c518' -stroke '#b7860b' -strokewidth 1.5 -draw "$sun"
item_icon item-brightness-off -fill '#c8c8c0' -stroke '#9a9a92' -strokewidth 1.5 -draw "$sun"
item_icon item-contrast -fill white -stroke '#3a3f47' -strokewidth 1.5 -draw "$half" \
  -fill '#3a3f47' -stroke none -draw 'path "M 10,2 A 8,8 0 0,1 10,18 Z"'
item_icon item-contrast-off -fill '#ecece4' -stroke '#9a9a92' -strokewidth 1.5 -draw "$half" \
  -fill '#9a9a92' -stroke none -draw 'path "M 10,2 A 8,8 0 0,1 10,18 Z"'
item_icon item-gamma -fill none -stroke '#9a9a92' -strokewidth 1 -draw 'line 2,2 2,18 line 2,18 18,18' \
  -stroke '#8a6fc9' -strokewidth 2 -draw "$curve"
item_icon item-gamma-off -fill none -stroke '#b4b4ac' -strokewidth 1 -draw 'line 2,2 2,18 line 2,18 18,18' \
  -stroke '#9a9a92' -strokewidth 2 -draw "$curve"
item_icon item-red -fill '#e03a2f' -stroke '#8f1d16' -strokewidth 1 -draw "$dot"
item_icon item-green -fill '#3cb04a' -stroke '#1d6b26' -strokewidth 1 -draw "$dot"
item_icon item-blue -fill '#3a6fe0' -stroke '#1b3f8f' -strokewidth 1 -draw "$dot"
item_icon item-gain-off -fill '#c8c8c0' -stroke '#9a9a92' -strokewidth 1 -draw "$dot"

# Colour bars of the temperature group. While the monitor runs its user preset (or does
# not say) the bar is the plain scale of the wizard pictures above; otherwise the scale
# carries marks for the presets. Greyed when the mode keeps its temperature.
convert "$work/scale.png" -fill none -stroke '#3a3f47' -strokewidth 1 \
  -draw 'line 50,30 50,39 line 100,30 100,39 line 150,30 150,39' "$work/scale-marked.png"
colour_bar() {  # source name-in-colour name-greyed
  local source=$1 coloured=$2 greyed=$3
  convert "$source" -type TrueColor "BMP3:$out/$coloured.bmp"
  convert "$source" -colors 16 -type Palette "BMP3:$out/$coloured-lowcolor.bmp"
  convert "$source" -colorspace Gray -fill '#e4e4dc' -colorize 40 -type TrueColor "BMP3:$out/$greyed.bmp"
  convert "$source" -colorspace Gray -fill '#e4e4dc' -colorize 40 -colors 16 \
    -type Palette "BMP3:$out/$greyed-lowcolor.bmp"
}
colour_bar "$work/scale-marked.png" colour-bar colour-bar-fixed

ls -l "$out"
