#!/usr/bin/env bash
# Draws the desktop icons, assets/icons/<size>x<size>/apps/trivanta.png in the sizes of the
# hicolor theme: nine blocks cut from the start-up logo, three by three on a rounded white tile
# framed in the logo's ink, with a green diagonal as a line about to vanish.
#   tools/make_icons.sh [output folder [size...]]    needs ImageMagick (Debian: imagemagick)
# The sizes are those of the hicolor theme unless others are given (the web page's build draws
# the two a phone's home screen wants).
set -euo pipefail

cd "$(dirname "$0")/.."
output=${1:-assets/icons}
shift $(($# > 0 ? 1 : 0))
logo=assets/logo.jpg
ink='#202040'
sizes=(16 32 48 64 128 256)
[ $# -eq 0 ] || sizes=("$@")

# The logo's top row holds one block of each colour, 26 pixels wide every 30 pixels from (7, 14):
# red, green, blue, yellow, orange, purple, grey. Which of them fills each cell, row by row.
cells=(1 0 2 3 1 4 5 2 1)

# The tile is drawn at least three times the logo's scale (110 pixels), more for the largest
# icons, so that even the largest icon is made by shrinking; the blocks are enlarged without
# smoothing to keep their edges sharp.
largest=$(printf '%s\n' "${sizes[@]}" | sort -n | tail -1)
scale=$(((largest + 109) / 110))
[ "$scale" -ge 3 ] || scale=3
block=$((26 * scale))
pitch=$((30 * scale))
margin=$((12 * scale))
tile=$((2 * margin + 2 * pitch + block))

args=(-size "${tile}x${tile}" xc:none -fill white -stroke "$ink" -strokewidth $((2 * scale))
      -draw "roundrectangle $scale,$scale $((tile - scale - 1)),$((tile - scale - 1)) $((14 * scale)),$((14 * scale))")
for cell in "${!cells[@]}"; do
    colour=${cells[$cell]}
    args+=(\( "$logo" -crop "26x26+$((7 + 30 * colour))+14" +repage -filter point -resize "${block}x${block}" \)
           -geometry "+$((margin + pitch * (cell % 3)))+$((margin + pitch * (cell / 3)))" -composite)
done

master=$(mktemp --suffix=.png)
trap 'rm -f "$master"' EXIT
convert "${args[@]}" "$master"

# No time stamps in the files, so that drawing them again changes nothing.
for size in "${sizes[@]}"; do
    folder=$output/${size}x${size}/apps
    mkdir -p "$folder"
    convert "$master" -filter Lanczos -resize "${size}x${size}" -depth 8 -strip \
        -define png:exclude-chunks=date,time "$folder/trivanta.png"
done
echo "wrote ${#sizes[@]} icons under $output"
