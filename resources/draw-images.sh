#!/usr/bin/env bash
# Draws the icons, the wizard bitmap and the logo into images/. They are
# committed; run this again only to change a picture (needs ImageMagick).
set -eu
cd "$(dirname "$0")/images"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

red='#c0102a'; green='#1f8a3a'; grey='#8a8a8a'

icon() {  # icon NAME, then the drawing options for a 32x32 canvas
    local name=$1; shift
    convert -size 32x32 xc:none "$@" "$tmp/$name.png"
    convert "$tmp/$name.png" -define icon:auto-resize=32,16 "$name.ico"
}

envelope=(-fill white -draw 'rectangle 7,10 24,22' -fill none -stroke "$red" -strokewidth 2 -draw 'polyline 7,10 15.5,17 24,10')
box_black=(-fill white -stroke black -strokewidth 2 -draw 'rectangle 6,6 25,25')
box_grey=(-fill white -stroke "$grey" -strokewidth 2 -draw 'rectangle 6,6 25,25')
tick_black=(-fill none -stroke black -strokewidth 3 -draw 'polyline 10,16 14,21 22,10')
tick_grey=(-fill none -stroke "$grey" -strokewidth 3 -draw 'polyline 10,16 14,21 22,10')

icon emblem   -fill "$red" -draw 'circle 15.5,15.5 15.5,1' "${envelope[@]}"
cp emblem.ico icon1.ico; mv emblem.ico icon101.ico
icon icon102  -fill "$red" -draw 'circle 15.5,15.5 15.5,1' -stroke white -strokewidth 4 -draw 'line 10,10 21,21' -draw 'line 21,10 10,21'
icon icon103  -fill "$green" -draw 'circle 15.5,15.5 15.5,1' -fill none -stroke white -strokewidth 4 -draw 'polyline 9,16 14,21 23,10'
icon icon105
icon icon106  "${box_black[@]}" "${tick_black[@]}"
icon icon107  "${box_black[@]}"
icon icon108  -fill "$red" -draw 'rectangle 4,4 15,15' -fill "$green" -draw 'rectangle 16,4 27,15' -fill '#1c5fbf' -draw 'rectangle 4,16 15,27' -fill '#e0b000' -draw 'rectangle 16,16 27,27'
icon icon109  -fill '#c8c8c8' -stroke "$grey" -strokewidth 2 -draw 'rectangle 5,9 26,26' -draw 'line 5,9 10,4' -draw 'line 26,9 31,4' -draw 'line 10,4 31,4'
icon icon110  "${box_grey[@]}" "${tick_grey[@]}"
icon icon111  -stroke black -strokewidth 2 -draw 'stroke-dasharray 2 2 line 0,16 31,16' -draw 'stroke-dasharray 2 2 line 16,16 16,31'
icon icon112  -stroke black -strokewidth 2 -draw 'stroke-dasharray 2 2 line 0,16 31,16'
icon icon113  "${box_grey[@]}"

# The wizard's side picture: 120 x 290, 24-bit.
convert -size 120x290 gradient:"$red"-'#f6d7dc' \
    -fill white -draw 'circle 60,80 60,40' \
    -fill "$red" -draw 'rectangle 38,66 82,96' -fill none -stroke white -strokewidth 3 -draw 'polyline 38,66 60,84 82,66' \
    -type TrueColor BMP3:bitmap107.bmp

# The product logo: a 150 x 50 GIF89a.
convert -size 150x50 xc:white -fill "$red" -draw 'circle 25,25 25,5' \
    -fill white -draw 'rectangle 14,17 36,33' -fill none -stroke "$red" -strokewidth 2 -draw 'polyline 14,17 25,26 36,17' \
    -stroke none -fill "$red" -font DejaVu-Sans-Bold -pointsize 15 -annotate +52+24 'Tessavane' \
    -fill '#404040' -font DejaVu-Sans -pointsize 11 -annotate +52+39 'Anti-Spam' \
    -colors 32 "GIF:$tmp/logo.gif"
# ImageMagick writes GIF87a for a plain image; 89a is a superset, so only the
# signature changes.
{ printf 'GIF89a'; tail -c +7 "$tmp/logo.gif"; } > logo.gif
