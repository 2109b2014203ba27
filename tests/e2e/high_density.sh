#!/usr/bin/env bash
# The real corpometer on a screen of two device pixels to a pixel (QT_SCALE_FACTOR=2; run
# under lib/with-xvfb.sh with a screen large enough for the doubled window): the Calculate
# button must show its picture drawn at twice the resolution pixel for pixel, not the
# ordinary picture stretched (whose edges come out blurred).
# Usage: high_density.sh CORPOMETER PICTURES-FOLDER
set -euo pipefail
exe=$1
pictures=$2
source "$(dirname "$0")/e2e_common.sh"
tmp=$(mktemp -d)
trap 'e2e_stop_programs; rm -rf "$tmp"' EXIT

HOME=$tmp XDG_CONFIG_HOME=$tmp/config XDG_CONFIG_DIRS=$tmp/xdg QT_SCALE_FACTOR=2 \
  e2e_start corpometer "$exe"
wait_main_window 30
eval "$(xdotool getwindowgeometry --shell "$wid")"  # X, Y, WIDTH, HEIGHT in device pixels
[ "$WIDTH" = 976 ] && [ "$HEIGHT" = 810 ] || e2e_fail "window is ${WIDTH}x${HEIGHT}, not 976x810"

# The button sits at 36, 274 of the window, 151 x 40 pixels: 302 x 80 device pixels.
sharp=$pictures/calculateButton/Picture@2x.png
area="302x80+$((X + 72))+$((Y + 548))"
# For the record: the ordinary picture stretched, as a blurred screen would show it.
convert "$pictures/calculateButton/Picture.png" -resize 200% "$out/calculate-stretched.png"
cp "$sharp" "$out/calculate-double-resolution.png"
shows_sharp() {
  e2e_screenshot "$out/calculate-on-screen.png" "$area" || return 1
  compare -metric AE "$out/calculate-on-screen.png" "$sharp" null: >"$out/differing-pixels.txt" 2>&1
}
e2e_wait_for 30 "the Calculate button to show its double-resolution picture pixel for pixel" \
  shows_sharp
e2e_screenshot "$out/window.png" "${WIDTH}x${HEIGHT}+$X+$Y"
echo "PASS"
