#!/bin/bash
# Builds the GIF benchmark corpus into OUTDIR: large photographic frames (dithered,
# undithered, interlaced), flat-colour images, two 100-frame animations (one with
# transparency and disposal 2/3, one with local palettes), and real-world GIFs
# from the test data. Needs ImageMagick (convert), installed here when missing. The same
# files, made the same way, are the ones the project's speed is judged on.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
OUT=${1:?usage: make-corpus.sh OUTDIR}
W=$HERE/../tests/data/gif/wuffs
PHOTO=${PHOTO:-$W/harvesters.png}
bash "$HERE/../scripts/ensure-packages.sh" imagemagick
mkdir -p "$OUT"
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT

# 1920x1080 photographic image, 256 colours: Floyd-Steinberg, none, interlaced
convert "$PHOTO" -resize 1920x -gravity center -crop 1920x1080+0+0 +repage -unsharp 0x1 "$T/photo1080.png"
convert "$T/photo1080.png" -dither FloydSteinberg -colors 256 "$OUT/m-photo1080-fs.gif"
convert "$T/photo1080.png" -dither None -colors 256 "$OUT/m-photo1080-nodither.gif"
convert "$OUT/m-photo1080-fs.gif" -interlace GIF "$OUT/m-photo1080-fs-interlaced.gif"

# built-ins
convert rose: -resize 2000x "$OUT/m-rose2000.gif"     # 2000x1314, smooth upscale
convert logo: "$OUT/m-logo.gif"                        # 640x480, flat colours

# screenshot-like 1920x1080: text on flat panels, <=256 colours, no dither
T1="$(head -75 /usr/share/common-licenses/GPL-3)"
T2="$(head -60 /usr/share/common-licenses/Apache-2.0 | cut -c1-70)"
convert -size 1920x1080 xc:'#ececec' -fill '#2b5797' -draw 'rectangle 0,0 1919,36' \
  -fill white -font Helvetica -pointsize 18 -annotate +12+25 'Document viewer - GPL-3' \
  -fill '#ffffff' -draw 'rectangle 40,60 1300,1060' -fill '#dde6f3' -draw 'rectangle 1330,60 1890,600' \
  -fill '#f7d9a8' -draw 'rectangle 1330,620 1890,1060' \
  -fill black -font DejaVu-Sans-Mono -pointsize 12 -annotate +52+80 "$T1" \
  -fill '#204080' -font Helvetica -pointsize 22 -annotate +1350+100 'Sidebar heading' \
  -fill '#333333' -pointsize 12 -annotate +1350+130 "$T2" \
  -fill '#c04040' -draw 'circle 1610,840 1610,700' -fill '#40a040' -draw 'rectangle 1400,900 1500,1040' \
  "$T/screenshot.png"
convert "$T/screenshot.png" -dither None -colors 256 "$OUT/m-screenshot1080.gif"

# 100-frame sprite animation: full 640x480 background frame, then 99 rotated
# elliptical rose sprites (transparent index, local palettes) inside the canvas,
# disposal alternating 2 (background) and 3 (previous)
convert "$PHOTO" -resize 640x480^ -gravity center -extent 640x480 "$T/bg640.png"
convert rose: -resize 200x132! \( -size 200x132 xc:black -fill white -draw 'ellipse 100,66 98,64 0,360' \) \
  -alpha off -compose CopyOpacity -composite "$T/rose_a.png"
args=(-loop 0 -delay 4 -dispose none "$T/bg640.png")
for i in $(seq 1 99); do
  convert -background none "$T/rose_a.png" -rotate $((i * 11)) "$T/s$i.png"
  x=$(((i * 37) % 390)); y=$((10 + (i * 23) % 225))
  if [ $((i % 2)) -eq 1 ]; then d=background; else d=previous; fi
  args+=(-dispose $d -page +$x+$y "$T/s$i.png")
done
convert "${args[@]}" "$OUT/m-anim-sprite100.gif"

# 100-frame "video clip": 480x270 panning crops of the 1080p photo, each
# frame Floyd-Steinberg dithered to its own 256-colour local palette
args=()
for i in $(seq 0 99); do
  args+=("(" "$T/photo1080.png" -crop 480x270+$((i * 14))+$((300 + i * 3)) +repage ")")
done
convert "${args[@]}" -dither FloydSteinberg -colors 256 -delay 4 -loop 0 "$OUT/m-anim-video100.gif"

# real-world GIFs from the test data, as they are
for f in animated-red-blue bricks-dither bricks-gray gifplayer-muybridge harvesters hat \
         hibiscus.primitive hibiscus.regular hippopotamus.interlaced muybridge pjw-thumbnail; do
  cp "$W/$f.gif" "$OUT/w-$f.gif"
done
ls -l "$OUT"
