#!/usr/bin/env bash
# Draws docs/component-icons.png from resources/components.bmp: the eleven
# icons of the selection page, enlarged, each over its ComponentImageIndex.
# usage: tools/make-icon-strip.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tiles=()
for index in $(seq 0 10); do
    tiles+=( "(" "$root/resources/components.bmp" -gravity NorthWest -crop "16x16+$((index * 16))+0" +repage
             -transparent magenta -background white -flatten -scale 300% -gravity center
             -extent 64x56 "(" -size 64x22 -background white -fill black -font DejaVu-Sans
             -pointsize 15 -gravity center "label:$index" ")" -append ")" )
done
convert "${tiles[@]}" +append -bordercolor white -border 6 -strip \
    -define png:exclude-chunks=date,time "$root/docs/component-icons.png"
echo "make-icon-strip: docs/component-icons.png"
