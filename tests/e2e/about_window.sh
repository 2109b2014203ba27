#!/usr/bin/env bash
# Drives the real corpometer in a virtual X server (run under xvfb-run): opens the menu
# with a click on the menu picture button, chooses About, takes a screenshot, checks the
# window's etched separator and closes the window again with Escape.
# Usage: about_window.sh CORPOMETER ARTEFACTS-FOLDER
set -euo pipefail
exe=$1
out=$2
mkdir -p "$out"
rm -f "$out"/*.png
shot="$out/about-window.png"

work=$(mktemp -d)
export HOME=$work XDG_CONFIG_HOME=$work/.config  # keep the user's saved inputs out of it
"$exe" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

source "$(dirname "$0")/e2e_common.sh"

main=$(main_window_id) || fail "the main window did not appear"
eval "$(xdotool getwindowgeometry --shell "$main")"  # X, Y of the client area
main_x=$X
main_y=$Y

# The menu button is 21 x 21 pixels at 398, 11 of the client area; click its middle.
xdotool mousemove --sync $((main_x + 408)) $((main_y + 21))
sleep 0.3
xdotool click 1
sleep 0.5
# The menu opens to the left of the cursor: "Quick Help", then "About".
xdotool key Down Down Return

about=$(timeout 10 xdotool search --sync --onlyvisible --name '^About ' | head -1) ||
  fail "the About window did not open"
sleep 0.5
import -window root "$shot"
echo "Screenshot: $shot"

# The etched separator across the About window: grey over white.
eval "$(xdotool getwindowgeometry --shell "$about")"
pixel() { convert "$shot" -format "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]" \
  -crop "1x1+$1+$2" info:; }
[ "$(pixel $((X + 100)) $((Y + 163)))" = "128,128,128" ] || fail "no grey separator line"
[ "$(pixel $((X + 100)) $((Y + 164)))" = "255,255,255" ] || fail "no white separator line"

# Escape presses OK. Without a window manager the keyboard follows the focus we give.
xdotool windowfocus --sync "$about"
xdotool key Escape
for _ in $(seq 1 50); do
  if ! xdotool search --onlyvisible --name '^About ' >/dev/null 2>&1; then
    kill -0 "$pid" 2>/dev/null || fail "the program ended with the About window"
    echo "PASS"
    exit 0
  fi
  sleep 0.1
done
fail "Escape did not close the About window"
