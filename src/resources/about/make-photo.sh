#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Paints the About window's photo: a conical flask with green liquid and a few
# rising bubbles in front of ball-and-stick molecules, on a soft blue backdrop.
# Run from this directory with ImageMagick 6 or 7 installed; writes photo.png.
set -eu
out=${1:-photo.png}
size=400
convert -size ${size}x${size} gradient:'#dbe9f6'-'#6e8fb3' \
  \( -size ${size}x${size} xc:none -fill none -stroke '#f4f4f4' -strokewidth 7 \
     -draw "line 40,355 65,300" -draw "line 65,300 105,318" -draw "line 65,300 52,245" \
     -draw "line 300,90 350,60" -draw "line 300,90 330,150" -draw "line 300,90 245,70" \
     -stroke none \
     -fill '#3a3a3a' -draw "circle 65,300 65,280" \
     -fill '#f2f2f2' -draw "circle 40,355 40,343" -draw "circle 105,318 105,306" \
     -fill '#d63a2f' -draw "circle 52,245 52,229" \
     -fill '#3a3a3a' -draw "circle 300,90 300,66" \
     -fill '#f2f2f2' -draw "circle 350,60 350,46" -draw "circle 245,70 245,56" \
     -fill '#3552c8' -draw "circle 330,150 330,131" \
     -blur 0x1.2 \) -composite \
  \( -size ${size}x${size} xc:none \
     -fill '#00000055' -draw "ellipse 205,372 105,16 0,360" -blur 0x6 \) -composite \
  \( -size ${size}x${size} xc:none \
     -fill '#2fa84a' -draw "polygon 120,362 290,362 244,270 166,270" \
     -fill '#5fd17a' -draw "ellipse 205,270 39,7 0,360" \
     -fill '#ffffff99' -draw "circle 190,320 190,312" -draw "circle 222,298 222,293" \
     -draw "circle 205,245 205,239" -draw "circle 214,215 214,211" -draw "circle 198,188 198,185" \
     -fill '#ffffff40' -stroke '#ffffffcc' -strokewidth 5 \
     -draw "polygon 180,110 180,200 112,362 298,362 230,200 230,110" \
     -stroke none -fill '#ffffffaa' -draw "roundrectangle 170,98 240,116 6,6" \
     -fill '#ffffff70' -draw "polygon 186,205 196,205 138,350 126,350" \) -composite \
  -depth 8 -strip "$out"
