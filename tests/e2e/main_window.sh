#!/usr/bin/env bash
# Drives the real corpometer in a virtual X server (run under lib/with-xvfb.sh): measures the
# time to the first painted window, checks the picture button's three pictures on screen,
# enters a weight and a height, calculates, checks the result's colour and the saved
# settings, drags the window by its strip and closes it with its close button.
# Usage: main_window.sh CORPOMETER PICTURES-FOLDER
set -euo pipefail
exe=$1
pictures=$2

source "$(dirname "$0")/e2e_common.sh"
rm -f "$out"/startup.txt
e2e_private_home
settings=$XDG_CONFIG_HOME/Corpometer.ini

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# How many pixels of an area of a screenshot have a colour (exactly).
count_colour() {  # shot x y w h "rgb(r,g,b)"
  convert "$1" -crop "$4x$5+$2+$3" +repage -fill white -opaque "$6" -fill black +opaque white \
    -format "%[fx:round(mean*w*h)]" info:
}

# Differing pixels between a screen area and a picture file.
differences() {  # x y picture
  local size
  size=$(identify -format "%wx%h" "$3")
  e2e_screenshot "$HOME/area.png" "$size+$1+$2"
  compare -metric AE "$HOME/area.png" "$3" null: 2>&1 || true
}

# The program answers input on its own time, more slowly on a busy machine.
eventually() {  # WHAT CHECK...
  e2e_wait_for 15 "$@"
}
shows() { [ "$(differences "$1" "$2" "$3")" = 0 ]; }
colour_count_above() { [ "$(count_colour "$1" "$2" "$3" "$4" "$5" "$6")" -gt "$7" ]; }
result_shows() {  # colour, minimum pixel count: a fresh screenshot's result area
  e2e_screenshot "$HOME/result.png"
  colour_count_above "$HOME/result.png" $((X + 203)) $((Y + 266)) 241 55 "$1" "$2"
}
settings_have() { [ -f "$settings" ] && grep -qx "$1" "$settings"; }

# --- Start-up: time to the mapped window and to its first painted pixels.
start=$(now_ms)
e2e_start corpometer "$exe"
pid=$E2E_PID
wait_main_window 30
mapped=$(now_ms)
eval "$(xdotool getwindowgeometry --shell "$wid")"  # X, Y, WIDTH, HEIGHT
[ "$WIDTH" = 488 ] && [ "$HEIGHT" = 405 ] || e2e_fail "window is ${WIDTH}x${HEIGHT}, not 488x405"
[ "$X" = 268 ] && [ "$Y" = 181 ] || e2e_fail "window at $X,$Y, not centred"
# The branding strip's dark blue in its top-left corner means the background is painted.
strip_painted() {
  local r g b
  e2e_screenshot "$HOME/corner.png" "1x1+$((X + 3))+$((Y + 3))" 2>/dev/null || return 1
  IFS=, read -r r g b <<<"$(e2e_pixel "$HOME/corner.png" 0 0)"
  [ -n "${b:-}" ] && [ "$r" -lt 60 ] && [ "$b" -gt "$r" ]
}
e2e_wait_for 30 "the window's first paint" strip_painted
painted=$(now_ms)
echo "start-up: window mapped after $((mapped - start)) ms, first paint seen after $((painted - start)) ms" |
  tee "$out/startup.txt"

# --- The Calculate button's pictures: at rest, under the cursor, pressed.
bx=$((X + 36)) by=$((Y + 274))
eventually "the Calculate button's rest picture" shows $bx $by "$pictures/calculateButton/Picture.png"
e2e_screenshot "$out/01-started.png"
xdotool mousemove $((bx + 70)) $((by + 20))
eventually "the Calculate button's hover picture" shows $bx $by "$pictures/calculateButton/PictureHover.png"
xdotool mousedown 1
eventually "the Calculate button's pressed picture" shows $bx $by "$pictures/calculateButton/PictureDown.png"
e2e_screenshot "$out/02-pressed.png"
xdotool mousemove $((X + 300)) $((Y + 200))  # drag off and release elsewhere: no calculation
xdotool mouseup 1
eventually "the Calculate button's rest picture to come back" shows $bx $by "$pictures/calculateButton/Picture.png"
[ ! -f "$settings" ] || e2e_fail "a cancelled press calculated"

# --- Weight 180, height 5' 6" (row 18 of the list), in pounds. The X server hands the
# program the click and then the keys in order, so the keys reach the clicked box.
xdotool mousemove $((X + 60)) $((Y + 160)) click 1  # the weight box
xdotool key ctrl+a
xdotool type --delay 20 "180"
xdotool mousemove $((X + 330)) $((Y + 140)) click 1  # the height list
xdotool key Home
for _ in $(seq 1 18); do xdotool key Down; done
xdotool mousemove $((bx + 70)) $((by + 20)) click 1
# BMI 29.11: overweight, in its darker orange. The result label sits in the result panel.
eventually "the BMI area to show the overweight colour" result_shows "rgb(191,96,48)" 150
shot="$out/03-overweight.png"
cp "$HOME/result.png" "$shot"
grey=$(count_colour "$shot" $((X + 32)) $((Y + 334)) 250 17 "rgb(96,96,96)")
[ "$grey" -gt 20 ] || e2e_fail "no ideal-weight line ($grey grey pixels)"
eventually "the settings to hold Weight=180" settings_have "Weight=180"
settings_have "Height=18" || e2e_fail "settings hold no Height=18: $(cat "$settings")"

# --- An extreme result flashes between two reds.
xdotool mousemove $((X + 60)) $((Y + 160)) click 1
xdotool key ctrl+a
xdotool type --delay 20 "300"
xdotool key Return  # Enter in the weight box calculates
seen_bright=0 seen_dark=0
seen_both_reds() {
  e2e_screenshot "$HOME/flash.png"
  [ "$(count_colour "$HOME/flash.png" $((X + 203)) $((Y + 266)) 241 55 "rgb(255,0,0)")" -gt 150 ] && seen_bright=1
  [ "$(count_colour "$HOME/flash.png" $((X + 203)) $((Y + 266)) 241 55 "rgb(175,0,0)")" -gt 150 ] && seen_dark=1
  cp "$HOME/flash.png" "$out/04-extreme.png"
  [ $seen_bright = 1 ] && [ $seen_dark = 1 ]
}
eventually "the result to flash between two reds" seen_both_reds
eventually "the settings to hold Weight=300" settings_have "Weight=300"

# --- The strip drags the window.
xdotool mousemove $((X + 478)) $((Y + 60)) mousedown 1
xdotool mousemove $((X + 478 - 40)) $((Y + 60 + 30))
xdotool mouseup 1
moved() {
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  [ "$X" = 228 ] && [ "$Y" = 211 ]
}
eventually "the dragged window to reach 228,211" moved

# --- The close button ends the program.
xdotool mousemove $((X + 448 + 10)) $((Y + 11 + 10))
eventually "the close button's hover picture" shows $((X + 448)) $((Y + 11)) "$pictures/closeButton/PictureHover.png"
e2e_screenshot "$out/05-close-hover.png"
xdotool click 1
ended() { ! kill -0 "$pid" 2>/dev/null; }
eventually "the program to end after its close button" ended
wait "$pid" || e2e_fail "the program ended with status $?"
echo "screenshots in $out"
