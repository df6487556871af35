#!/usr/bin/env bash
# Draws the screen filter's sample pictures with ImageMagick and writes a
# definition file for them:
#   make-filter-samples.sh OUTDIR
# OUTDIR/data     what the program's data folder holds: DefFilter.xml and its pictures
# OUTDIR/formats  one picture per format and depth the loader must read, and a damaged one
set -euo pipefail
out=${1:?output folder}
mkdir -p "$out/data" "$out/formats"
data=$out/data fmt=$out/formats

# --- Default pictures. The first is 300 x 200 so that a screen shows it cut at
# the right and bottom edges.
convert -size 300x200 gradient:'#f3d9a4-#c98b4a' -fill '#8a5a2b' -draw 'circle 150,100 150,140' \
  BMP3:"$data/amber.bmp"
convert -size 256x256 plasma:'#6b8e5a-#2f4f3f' -seed 7 -blur 0x2 -quality 85 "$data/forest.jpg"
convert -size 128x128 pattern:checkerboard -fill '#2b3a67' -colorize 60 "$data/dusk.png"
cat >"$data/DefFilter.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<CalmiraFilters>
  <DefaultFilter>
    <FileName>amber.bmp</FileName>
    <WindowAlpha>64</WindowAlpha>
    <Luminance>-20</Luminance>
  </DefaultFilter>
  <DefaultFilter>
    <FileName>forest.jpg</FileName>
    <WindowAlpha>48</WindowAlpha>
    <Luminance>0</Luminance>
  </DefaultFilter>
  <Evening>
    <DefaultFilter>
      <FileName>dusk.png</FileName>
      <WindowAlpha>96</WindowAlpha>
      <Luminance>-50</Luminance>
    </DefaultFilter>
  </Evening>
</CalmiraFilters>
XML

# --- One file per format and depth. Solid red at the top-left pixel lets a test
# check the copied pixels whatever the format.
base() { convert -size 40x30 xc:'#0000ff' -fill '#ff0000' -draw 'rectangle 0,0 9,9' "$@"; }
convert -size 40x30 xc:black -fill white -draw 'rectangle 0,0 9,9' -type Bilevel BMP3:"$fmt/mono.bmp"
# Six colours need four bits; a gradient with 200 needs eight.
base -fill '#00ff00' -draw 'rectangle 10,0 19,9' -fill '#ffff00' -draw 'rectangle 20,0 29,9' \
  -fill '#ffffff' -draw 'rectangle 30,0 39,9' -fill '#000000' -draw 'rectangle 0,20 9,29' \
  -type Palette BMP3:"$fmt/palette4.bmp"
convert -size 40x30 gradient:'#00ff00-#0000ff' -fill '#ff0000' -draw 'rectangle 0,0 9,9' \
  -colors 200 -type Palette BMP3:"$fmt/palette8.bmp"
base -type TrueColor BMP3:"$fmt/rgb24.bmp"
base -type TrueColorAlpha -define bmp:format=bmp4 BMP:"$fmt/argb32.bmp"
base -quality 95 "$fmt/photo.jpg"
base "$fmt/indexed.gif"
base -alpha off -type TrueColor -compress none "$fmt/plain.tif"
base -type Palette PNG8:"$fmt/palette.png"
base -alpha set -channel A -evaluate set 50% +channel PNG32:"$fmt/alpha.png"
printf 'BM\x36\x00\x00\x00 this is not a picture' >"$fmt/damaged.bmp"

# A 4-bit bitmap whose colour table claims 20 entries, more than four bits can
# index: the loader must copy only the 16 the bitmap holds. Red top-left corner,
# blue elsewhere, as the other samples.
byte() { printf "\\x$(printf %02x "$1")"; }
le16() { byte $(($1 & 255)); byte $((($1 >> 8) & 255)); }
le32() { le16 $(($1 & 65535)); le16 $((($1 >> 16) & 65535)); }
{
  printf 'BM'; le32 734; le32 0; le32 134
  le32 40; le32 40; le32 30; le16 1; le16 4; le32 0; le32 600; le32 2835; le32 2835; le32 20; le32 0
  le32 0; le32 0x00FF0000; le32 0x000000FF
  for _ in $(seq 3 19); do le32 0x0000FF00; done
  for row in $(seq 0 29); do
    y=$((29 - row))
    for pair in $(seq 0 19); do
      left=2 right=2
      if ((y < 10 && 2 * pair < 10)); then left=1; fi
      if ((y < 10 && 2 * pair + 1 < 10)); then right=1; fi
      byte $((left * 16 + right))
    done
  done
} >"$fmt/palette4wide.bmp"
