#!/usr/bin/env bash
# Drives the real corpometer in a virtual X server (run under lib/with-xvfb.sh): opens the
# menu with a click on the menu picture button, chooses About, takes a screenshot, checks the
# window's etched separator and closes the window again with Escape.
# Usage: about_window.sh CORPOMETER PICTURES-FOLDER
set -euo pipefail
exe=$1
pictures=$2

source "$(dirname "$0")/e2e_common.sh"
shot="$out/about-window.png"
work=$(mktemp -d)
trap 'e2e_stop_programs; rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/.config  # keep the user's saved inputs out of it
e2e_start corpometer "$exe"
pid=$E2E_PID

wait_main_window 30
eval "$(xdotool getwindowgeometry --shell "$wid")"  # X, Y of the client area
main_x=$X
main_y=$Y

# The menu button is 21 x 21 pixels at 398, 11 of the client area; click its middle once it
# shows that it is under the cursor.
shows() {  # x y picture
  e2e_screenshot "$work/area.png" "21x21+$1+$2"
  [ "$(compare -metric AE "$work/area.png" "$3" null: 2>&1 || true)" = 0 ]
}
xdotool mousemove $((main_x + 408)) $((main_y + 21))
e2e_wait_for 15 "the menu button's hover picture" \
  shows $((main_x + 398)) $((main_y + 11)) "$pictures/menuButton/PictureHover.png"
# The menu opens to the left of and below the cursor, over the window's name line.
e2e_screenshot "$work/before-menu.png" "100x30+$((main_x + 308))+$((main_y + 22))"
menu_open() {
  e2e_screenshot "$work/menu.png" "100x30+$((main_x + 308))+$((main_y + 22))"
  [ "$(compare -metric AE "$work/before-menu.png" "$work/menu.png" null: 2>&1 || true)" -gt 300 ]
}
xdotool click 1
e2e_wait_for 15 "the menu to open left of the menu button" menu_open
e2e_screenshot "$out/menu.png"
# "Quick Help", then "About".
xdotool key Down Down Return

e2e_wait_window 15 '^About '
about=$E2E_WINDOW
eval "$(xdotool getwindowgeometry --shell "$about")"
# The etched separator across the About window: grey over white.
etched() {
  e2e_screenshot "$shot"
  [ "$(e2e_pixel "$shot" $((X + 100)) $((Y + 163)))" = "128,128,128" ] &&
    [ "$(e2e_pixel "$shot" $((X + 100)) $((Y + 164)))" = "255,255,255" ]
}
e2e_wait_for 15 "the About window's grey-over-white separator line" etched
echo "Screenshot: $shot"

# Escape presses OK. Without a window manager the keyboard follows the focus we give.
xdotool windowfocus --sync "$about"
xdotool key Escape
about_closed() { ! xdotool search --onlyvisible --name '^About ' >/dev/null 2>&1; }
e2e_wait_for 15 "Escape to close the About window" about_closed
kill -0 "$pid" 2>/dev/null || e2e_fail "the program ended with the About window"
echo "PASS"
