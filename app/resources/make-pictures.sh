#!/usr/bin/env bash
# Draws the program's pictures (map-table backgrounds, tool-bar glyphs, logo)
# with ImageMagick. The results are committed; run this only to redraw them.
set -euo pipefail
cd "$(dirname "$0")"

face='#D4D2CC'  # replaced by the button face colour when the glyphs are drawn
bmp() { convert "$@" -type TrueColor "BMP3:$out"; }
jpg() { convert "$@" -quality 90 "$out"; }

# Backgrounds, tiled behind table cells.
out=BGINJB.jpg jpg -size 128x128 gradient:'#E4F2FC-#C8DEF4'
out=BGINJG.jpg jpg -size 128x128 gradient:'#E4FEF4-#C8F0DC'
out=BGWA.jpg jpg -size 64x22 gradient:'#FFFFFF-#E6EEF8'
for n in 5 6 7 8 9 10; do
  # One band per row of 22 pixels, cold at the top and warm at the bottom.
  out=BGRAINBOW${n}X22.jpg jpg -size 22x$((n * 22)) gradient:'#A0C8FF-#FFA0A0' -modulate 100,60,100
done

# Clipboard and view glyphs, 20 x 20 on the replaceable face colour.
glyph() { out=$1.bmp bmp -size 20x20 xc:"$face" -stroke black -fill "$2" -draw "$3"; }
glyph CLBRD_COPY white 'rectangle 3,2 12,13 rectangle 7,6 16,17'
glyph CLBRD_COPY0 '#E0E0E0' 'stroke #909090 rectangle 3,2 12,13 rectangle 7,6 16,17'
glyph CLBRD_COPYSHEET white 'rectangle 3,2 12,13 rectangle 7,6 16,17 line 7,10 16,10 line 7,14 16,14 line 11,6 11,17'
glyph CLBRD_PAST '#E8C890' 'rectangle 2,3 13,17 fill white rectangle 8,7 17,18'
glyph CLBRD_PAST0 '#E0E0E0' 'stroke #909090 rectangle 2,3 13,17 rectangle 8,7 17,18'
glyph CLBRD_PASTSHEET '#E8C890' 'rectangle 2,3 13,17 fill white rectangle 8,7 17,18 line 8,11 17,11 line 8,15 17,15 line 12,7 12,18'
glyph BTTAB white 'rectangle 2,3 17,16 line 2,7 17,7 line 2,11 17,11 line 7,3 7,16 line 12,3 12,16'
glyph BT2D none 'line 2,17 17,17 line 2,2 2,17 stroke blue polyline 3,14 7,9 11,11 16,4'
glyph BT3D '#90C0F0' 'polygon 2,12 9,16 17,11 10,5 line 9,16 9,9 line 10,5 9,9 line 2,12 9,9 line 17,11 9,9'

# Check boxes: "BTCHK" and "BTCHKSOME" are 10 x 10 marks drawn inside a
# 13-pixel box; "BTCHK0" and "BTCHK1" are whole 16 x 16 enable boxes.
out=BTCHK.bmp bmp -size 10x10 xc:white -stroke black -strokewidth 2 -fill none -draw 'polyline 1,5 4,8 9,1'
out=BTCHKSOME.bmp bmp -size 10x10 xc:white -fill '#808080' -draw 'rectangle 2,2 7,7'
out=BTCHK0.bmp bmp -size 16x16 xc:white -stroke black -fill none -draw 'rectangle 0,0 15,15'
out=BTCHK1.bmp bmp -size 16x16 xc:white -stroke black -fill none -draw 'rectangle 0,0 15,15' \
  -strokewidth 2 -draw 'polyline 3,8 6,12 12,3'

# Small 12 x 12 switches of the graph and the step buttons.
small() { out=$1.bmp bmp -size 12x12 xc:"$face" -stroke black -fill "$2" -draw "$3"; }
small BT_G none 'line 1,10 10,10 line 1,1 1,10 stroke blue polyline 2,8 5,4 7,6 10,2'
small BT_T white 'rectangle 1,1 10,10 line 1,4 10,4 line 1,7 10,7 line 5,1 5,10'
small BT_P none 'line 2,6 9,6 line 6,2 6,9'
small BT_NP none 'line 2,6 9,6'

out=LOGO_MORVANTA160X80.bmp bmp -size 160x80 gradient:'#203A70-#4070C0' -fill white -stroke none \
  -draw 'polygon 20,60 40,20 60,60 80,20 100,60 120,20 140,60 140,66 120,30 100,66 80,30 60,66 40,30 20,66'
