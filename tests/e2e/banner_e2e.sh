#!/usr/bin/env bash
# Drives the real corpometer in a virtual X server (run under lib/with-xvfb.sh) with a "3.dat" that
# turns the animated banner on with a small two-colour GIF: the banner area must change
# between screenshots, and a click on the banner must hand the branding link to the
# desktop's opener; the link is written without a scheme, as people type addresses, and must
# open as a web address. Without a desktop, Qt opens addresses with the xdg-open found on PATH;
# here that is a stand-in that writes down what it was asked to open.
# Usage: banner_e2e.sh CORPOMETER CORPOMETER-BRAND
set -euo pipefail
exe=$1
brand=$2

source "$(dirname "$0")/e2e_common.sh"
work=$(mktemp -d)
trap 'e2e_stop_programs; rm -rf "$work"' EXIT
link="corpometer.example/banner-click"
address="http://$link"

# The program reads its branding from beside the executable: a copy in a folder of its own.
mkdir -p "$work/app" "$work/bin" "$work/config"
cp "$exe" "$work/app/corpometer"
# 375 x 60, the name line's size: pure red, then pure blue, 300 ms each, looping.
convert -size 375x60 xc:'#FF0000' xc:'#0000FF' -set delay 30 -loop 0 "$work/app/banner.gif"
"$brand" write "$work/app/3.dat" --link "$link" --banner-file banner.gif --animated-banner \
  >/dev/null

cat >"$work/bin/xdg-open" <<STANDIN
#!/bin/sh
printf '%s\n' "\$*" >>"$work/opened.txt"
STANDIN
chmod +x "$work/bin/xdg-open"

HOME=$work XDG_CONFIG_HOME=$work/config PATH="$work/bin:$PATH" e2e_start corpometer "$work/app/corpometer"
wait_main_window 30
eval "$(xdotool getwindowgeometry --shell "$wid")"  # X, Y of the client area
# The banner covers the name line: 16, 8 in the window, 375 x 60 pixels.
banner="375x60+$((X + 16))+$((Y + 8))"
bx=$((X + 16 + 187))
by=$((Y + 8 + 30))

# Screenshots of the banner area until one has shown the whole red frame and one the whole
# blue frame, every one of the 22500 pixels.
convert -size 375x60 xc:'#FF0000' "$work/red.png"
convert -size 375x60 xc:'#0000FF' "$work/blue.png"
colours="" seen_red="" seen_blue="" n=0
whole_frame() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]; }
both_frames_seen() {
  n=$((n + 1))
  local shot
  shot=$out/banner-$(printf %03d $n).png
  e2e_screenshot "$shot" "$banner"
  colours="$colours $(e2e_pixel "$shot" 187 30)"
  if [ -z "$seen_red" ] && whole_frame "$shot" "$work/red.png"; then seen_red=$shot; fi
  if [ -z "$seen_blue" ] && whole_frame "$shot" "$work/blue.png"; then seen_blue=$shot; fi
  [ -n "$seen_red" ] && [ -n "$seen_blue" ]
}
e2e_wait_for 20 "the banner to show its whole red and its whole blue frame" both_frames_seen
echo "banner middle over time:$colours"

xdotool mousemove "$bx" "$by" click 1
opened() { [ -s "$work/opened.txt" ]; }
e2e_wait_for 15 "the click on the banner to open an address" opened
grep -qxF "$address" "$work/opened.txt" 2>/dev/null ||
  e2e_fail "a click on the banner opened '$(cat "$work/opened.txt" 2>/dev/null)', not $address"
echo "PASS"
