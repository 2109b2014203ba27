#!/usr/bin/env bash
# Drives the real corpometer in a virtual X server (run under xvfb-run) with a "3.dat" that
# turns the animated banner on with a small two-colour GIF: the banner area must change
# between screenshots, and a click on the banner must hand the branding link to the
# desktop's opener. Without a desktop, Qt opens addresses with the xdg-open found on PATH;
# here that is a stand-in that writes down what it was asked to open.
# Usage: banner_e2e.sh CORPOMETER CORPOMETER-BRAND ARTEFACTS-FOLDER
set -euo pipefail
exe=$1
brand=$2
out=$3
mkdir -p "$out"
rm -f "$out"/*.png

work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
link="https://corpometer.example/banner-click"

source "$(dirname "$0")/e2e_common.sh"

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

HOME=$work XDG_CONFIG_HOME=$work/config PATH="$work/bin:$PATH" "$work/app/corpometer" &
pid=$!
wid=$(main_window_id) || fail "no window appeared"
eval "$(xdotool getwindowgeometry --shell "$wid")"  # X, Y of the client area
# The banner covers the name line: 16, 8 in the window, 375 x 60 pixels.
banner="375x60+$((X + 16))+$((Y + 8))"
bx=$((X + 16 + 187))
by=$((Y + 8 + 30))

# Screenshots of the banner area over a little more than two frame delays; among them
# there must be two that differ, one showing the red frame and one the blue.
colours=""
for n in $(seq -w 1 10); do
  import -window root -crop "$banner" +repage "$out/banner-$n.png"
  colours="$colours $(convert "$out/banner-$n.png" -crop 1x1+187+30 -depth 8 txt:- |
    sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p')"
  sleep 0.07
done
echo "banner middle over time:$colours"
case "$colours" in *"255,0,0"*) ;; *) fail "the red frame never showed" ;; esac
case "$colours" in *"0,0,255"*) ;; *) fail "the blue frame never showed" ;; esac
first_red=$(echo "$colours" | tr ' ' '\n' | grep -n '^255,0,0$' | head -1 | cut -d: -f1)
first_blue=$(echo "$colours" | tr ' ' '\n' | grep -n '^0,0,255$' | head -1 | cut -d: -f1)
changed=$(compare -metric AE "$out/banner-$(printf %02d $((first_red - 1))).png" \
  "$out/banner-$(printf %02d $((first_blue - 1))).png" null: 2>&1 || true)
[ "$changed" = 22500 ] || fail "the two frames differ in $changed pixels, not in all 22500"

xdotool mousemove "$bx" "$by" click 1
for _ in $(seq 50); do
  [ -s "$work/opened.txt" ] && break
  sleep 0.1
done
grep -qxF "$link" "$work/opened.txt" 2>/dev/null ||
  fail "a click on the banner opened '$(cat "$work/opened.txt" 2>/dev/null)', not $link"
echo "PASS"
