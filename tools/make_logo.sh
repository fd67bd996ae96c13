#!/usr/bin/env bash
# Draws the start-up logo, assets/logo.jpg: a 400 x 200 colour JPEG (baseline, JFIF) with the
# game's name between two rows of its blocks, on the white the logo fades in on.
#   tools/make_logo.sh [output]     needs ImageMagick (Debian: imagemagick) and fonts-dejavu-core
set -euo pipefail

cd "$(dirname "$0")/.."
output=${1:-assets/logo.jpg}
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
ink='#202040'

# The game's colours: red, green, blue, yellow, orange, purple, grey.
colours=(FF0000 00FF00 0000FF FFFF00 FF8000 8000FF 808080)

args=(-size 400x200 xc:white)

# One 26-pixel block at (x, y) with a light top edge and a dark bottom edge, as a cell of the
# well would look.
block() {
    local x=$1 y=$2 colour=$3
    args+=(-fill "#$colour" -draw "rectangle $x,$y $((x + 25)),$((y + 25))")
    args+=(-fill '#FFFFFF70' -draw "rectangle $x,$y $((x + 25)),$((y + 3))")
    args+=(-fill '#00000040' -draw "rectangle $x,$((y + 22)) $((x + 25)),$((y + 25))")
}

# A row of blocks across the logo, each colour in turn from colour `first`.
row() {
    local y=$1 first=$2
    for i in $(seq 0 12); do
        block $((7 + 30 * i)) "$y" "${colours[$(((first + i) % 7))]}"
    done
}

row 14 0
row 160 3
args+=(-font "$font" -fill "$ink" -gravity center
       -pointsize 62 -annotate +0-4 'Trivanta'
       -pointsize 13 -annotate +0+40 'f a l l    ·    m a t c h    ·    c l e a r')
convert "${args[@]}" -interlace none -sampling-factor 2x2 -quality 90 -strip "JPEG:$output"
echo "wrote $output ($(stat -c %s "$output") bytes)"
