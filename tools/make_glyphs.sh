#!/usr/bin/env bash
# Draws the small glyphs the skin engine embeds: the caption buttons (help, main menu,
# minimize, maximize, restore 26 x 18; close 38 x 18), white on a transparent ground with a
# soft dark shadow so that they read on light and dark skins alike; the two check boxes
# (13 x 13, empty and checked) and the black arrows of combo boxes and up-down controls
# (7 x 4 up and down, 4 x 7 left and right). Needs ImageMagick.
# The output is deterministic. Usage: tools/make_glyphs.sh [output-dir]  (default: resources/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/resources}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
command -v convert >/dev/null || { echo "make_glyphs: ImageMagick (convert) is missing" >&2; exit 1; }
export MAGICK_THREAD_LIMIT=1
png_clean=(-strip -define png:exclude-chunks=date,time,tEXt,zTXt,iTXt -define png:color-type=6)

# glyph FILE WIDTH HEIGHT DRAW-ARGS...: the drawing (strokes and fills in white) is laid
# over its own shadow, the same drawing in black, blurred and moved one pixel down-right.
glyph() {
  local file=$1 w=$2 h=$3
  shift 3
  convert -size "${w}x${h}" xc:none -stroke white -fill none -strokewidth 1 "$@" "$work/fg.png"
  convert "$work/fg.png" -channel RGB -evaluate set 0 +channel \
      -channel A -evaluate multiply 0.75 +channel -blur 0x1 -page +1+1 "$work/shadow.png"
  convert -size "${w}x${h}" xc:none "$work/shadow.png" -background none -layers flatten "$work/fg.png" \
      -composite "${png_clean[@]}" "$out/$file"
}

glyph caption_minimize.png 26 18 -fill white -stroke none -draw 'rectangle 8,11 17,12'
glyph caption_maximize.png 26 18 -draw 'rectangle 8.5,4.5 17.5,13.5' -draw 'line 8.5,5.5 17.5,5.5'
glyph caption_restore.png 26 18 -draw 'rectangle 10.5,3.5 18.5,10.5' -draw 'line 10.5,4.5 18.5,4.5' \
    -fill '#00000000' -draw 'rectangle 7.5,6.5 15.5,13.5' -draw 'line 7.5,7.5 15.5,7.5'
glyph caption_close.png 38 18 -strokewidth 1.6 -draw 'line 15,5 23,13' -draw 'line 23,5 15,13'
glyph caption_help.png 26 18 -draw 'roundrectangle 7.5,2.5 18.5,11.5 2,2' \
    -draw 'polyline 10.5,11.5 9.5,14.5 13.5,11.5' -fill white -stroke none \
    -draw 'rectangle 12,5 14,6' -draw 'rectangle 13,7 14,7' -draw 'rectangle 12,9 13,9'
glyph caption_menu.png 26 18 -draw 'rectangle 6.5,3.5 17.5,12.5' -draw 'line 6.5,5.5 17.5,5.5' \
    -fill white -stroke none -draw 'polygon 14,8 14,16 16,14 18,16 19,15 17,13 19,12'

# plain FILE WIDTH HEIGHT DRAW-ARGS...: drawn as it is, without a shadow.
plain() {
  local file=$1 w=$2 h=$3
  shift 3
  convert -size "${w}x${h}" xc:none "$@" -depth 8 "${png_clean[@]}" "$out/$file"
}

# Check boxes: a light face in a dark frame; checked, a blue frame with a teal tick.
plain check_empty.png 13 13 -fill '#F4F6F8' -stroke '#5A6270' -strokewidth 1 -draw 'rectangle 0.5,0.5 12.5,12.5' \
    -stroke none -fill '#FFFFFF' -draw 'rectangle 1,1 11,5'
plain check_checked.png 13 13 -fill '#EAF6FA' -stroke '#1E64B4' -strokewidth 1 -draw 'rectangle 0.5,0.5 12.5,12.5' \
    -fill none -stroke '#14A0A0' -strokewidth 2 -draw 'polyline 3,6.5 5.5,9 10,3.5'
# Arrows: black triangles, pixel-exact.
plain arrow_down.png 7 4 +antialias -fill black -stroke none -draw 'polygon 0,0 6,0 3,3'
plain arrow_up.png 7 4 +antialias -fill black -stroke none -draw 'polygon 3,0 0,3 6,3'
plain arrow_left.png 4 7 +antialias -fill black -stroke none -draw 'polygon 3,0 3,6 0,3'
plain arrow_right.png 4 7 +antialias -fill black -stroke none -draw 'polygon 0,0 0,6 3,3'
echo "glyphs written to $out"
