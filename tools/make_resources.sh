#!/usr/bin/env bash
# Draws the pictures the program embeds: the skin image, the captcha failure picture and
# the application icon. Needs ImageMagick and the Noto CJK fonts (scripts/setup.sh installs
# both). The output is deterministic, so rerunning it only changes files when the drawing
# here changes. Usage: tools/make_resources.sh [output-dir]   (default: resources/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/resources}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

command -v convert >/dev/null || { echo "make_resources: ImageMagick (convert) is missing" >&2; exit 1; }
# One thread: blurs and resizes then give the same bytes on every machine.
export MAGICK_THREAD_LIMIT=1
# No creation dates or comments in the files, so identical drawings give identical bytes.
png_clean=(-strip -define png:exclude-chunks=date,time,tEXt,zTXt,iTXt)

# ---------------------------------------------------------------------------------------
# Skin image: drawn behind every window under a white veil, so it only needs calm colour
# and soft shapes; no text, nothing with hard edges that would fight the controls above.
skin() {
  local w=1024 h=768
  # A soft layer: the drawing is made as a grey mask (grey level = opacity), blurred, and
  # then used as the alpha of a solid colour, so blurred edges keep their colour.
  soft_layer() {  # file colour blur-sigma draw-arguments...
    local file=$1 colour=$2 sigma=$3
    shift 3
    convert -size ${w}x${h} xc:black "$@" -blur 0x"$sigma" "$work/mask.png"
    convert -size ${w}x${h} xc:"$colour" "$work/mask.png" -alpha off \
        -compose CopyOpacity -composite "$file"
  }

  # Teal in the top-left corner drifting to a soft blue at the bottom right.
  convert -size ${w}x${h} -define gradient:direction=SouthEast \
      gradient:'#a6e6ec-#5e9fd8' "$work/base.png"

  # Large light clouds.
  soft_layer "$work/cloud1.png" white 80 -fill 'gray(45%)' -draw 'circle 180,140 180,450' \
      -fill 'gray(35%)' -draw 'circle 860,640 860,860'
  soft_layer "$work/cloud2.png" '#22cadd' 90 -fill 'gray(40%)' -draw 'circle 780,170 780,350'
  soft_layer "$work/cloud3.png" '#3f6fd0' 90 -fill 'gray(25%)' -draw 'circle 260,720 260,900'

  # Wide ribbons sweeping across the picture.
  soft_layer "$work/ribbon1.png" white 14 -fill none \
      -stroke 'gray(45%)' -strokewidth 70 -draw 'bezier -100,560 250,380 600,760 1124,420' \
      -stroke 'gray(30%)' -strokewidth 34 -draw 'bezier -100,470 300,300 650,640 1124,300' \
      -stroke 'gray(40%)' -strokewidth 6 -draw 'bezier -100,420 330,250 700,580 1124,250'
  soft_layer "$work/ribbon2.png" '#22cadd' 10 -fill none \
      -stroke 'gray(35%)' -strokewidth 16 -draw 'bezier -100,640 320,470 620,820 1124,520'

  # A few soft light discs, placed by hand.
  local discs=(620,110,40 700,250,20 900,90,28 940,340,54 120,560,30 470,170,16
               250,320,24 540,650,36 980,520,18 380,80,24)
  local draw=() d x y r
  for d in "${discs[@]}"; do
    IFS=, read -r x y r <<<"$d"
    draw+=(-draw "circle $x,$y $((x + r)),$y")
  done
  soft_layer "$work/discs.png" white 3 -fill 'gray(22%)' -stroke 'gray(40%)' -strokewidth 2 \
      "${draw[@]}"

  # A trace of fixed-seed grain keeps the gradients from banding in the JPEG.
  convert "$work/base.png" "$work/cloud1.png" -composite "$work/cloud2.png" -composite \
      "$work/cloud3.png" -composite "$work/ribbon1.png" -composite \
      "$work/ribbon2.png" -composite "$work/discs.png" -composite \
      -seed 7 -attenuate 0.25 +noise Gaussian \
      -strip -sampling-factor 2x2 -quality 90 "$out/skin.jpg"
}

# ---------------------------------------------------------------------------------------
# Captcha failure picture: the size of the captcha picture box, 16-bit RGBA, interlaced.
captcha_failure() {
  local text="获取验证码失败， 请点击重新获取"
  # Bold at 8.8 px with slightly tightened spacing is the largest legible size at which
  # the whole line fits inside the frame of a 136-pixel box.
  # A faint top-to-bottom shade behind the text, as on a raised button.
  convert -size 136x25 gradient:'#fbfcfd-#e9eef1' \
      -fill none -stroke '#c9d3d8' -strokewidth 1 -draw 'rectangle 0,0 135,24' -stroke none \
      -font Noto-Sans-CJK-SC-Bold -pointsize 8.8 -kerning -0.3 -fill '#a8231b' \
      -gravity center -annotate +0+0 "$text" \
      -alpha set -depth 16 -interlace PNG "${png_clean[@]}" "PNG64:$out/captcha_failure.png"
}

# ---------------------------------------------------------------------------------------
# Application icon: a magnifying glass over a register page. The small sizes come from a
# plainer drawing with heavier strokes, since fine lines vanish below 48 pixels.
icon_master() {  # detail(1|0) file: a 512 x 512 drawing, downscaled by the caller
  local detail=$1 file=$2 page=8 edge='#7f98a6' lines ring=28 handle=44
  if [ "$detail" = 1 ]; then
    lines=(-draw 'stroke-linecap round line 120,236 332,236'
           -draw 'stroke-linecap round line 120,284 300,284'
           -draw 'stroke-linecap round line 120,332 250,332'
           -draw 'stroke-linecap round line 120,380 220,380')
  else
    page=20 ring=40 handle=64
    edge='#5f7a89'
    lines=(-draw 'stroke-linecap round line 120,250 320,250'
           -draw 'stroke-linecap round line 120,330 250,330')
  fi
  convert -size 512x512 xc:none \
      -fill white -stroke "$edge" -strokewidth $page \
      -draw 'stroke-linejoin round polygon 80,40 300,40 380,120 380,470 80,470' \
      -fill '#d5e2e9' -draw 'polygon 300,40 300,120 380,120' \
      -stroke none -fill '#22cadd' -draw 'roundrectangle 120,140 250,172 8,8' \
      -fill none -stroke '#b4c4cd' -strokewidth $((page + 10)) "${lines[@]}" \
      -stroke '#2b3f4f' -strokewidth $handle -draw 'stroke-linecap round line 392,392 460,460' \
      -fill 'rgba(190,240,246,0.55)' -stroke '#13879a' -strokewidth $ring \
      -draw 'circle 300,300 300,410' \
      -fill none -stroke 'rgba(255,255,255,0.85)' -strokewidth $((ring / 2)) \
      -draw 'arc 222,222 378,378 200,260' \
      "$work/master.png"
  # A soft shadow lifts the drawing off dark and light backgrounds alike.
  convert "$work/master.png" \( +clone -background '#0b2a36' -shadow 35x10+0+8 \) \
      +swap -background none -layers merge +repage -gravity center -extent 512x512 "$file"
}

icon() {
  icon_master 1 "$work/detailed.png"
  icon_master 0 "$work/plain.png"
  convert "$work/detailed.png" -filter Lanczos -resize 256x256 "$work/i256.png"
  convert "$work/detailed.png" -filter Lanczos -resize 48x48 "$work/i48.png"
  convert "$work/plain.png" -filter Lanczos -resize 32x32 "$work/i32.png"
  convert "$work/plain.png" -filter Lanczos -resize 16x16 "$work/i16.png"
  # 8 bits a channel throughout: Windows reads a PNG-compressed icon image only in that form.
  convert "$work/i256.png" "$work/i48.png" "$work/i32.png" "$work/i16.png" \
      -depth 8 -strip "$out/veradin.ico"
}

skin
captcha_failure
icon
ls -l "$out/skin.jpg" "$out/captcha_failure.png" "$out/veradin.ico"
