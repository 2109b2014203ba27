#!/usr/bin/env bash
# Drives the real corpometer in a virtual X server (run under xvfb-run): measures the time to
# the first painted window, checks the picture button's three pictures on screen, enters a
# weight and a height, calculates, checks the result's colour and the saved settings, drags
# the window by its strip and closes it with its close button.
# Usage: main_window.sh CORPOMETER PICTURES-FOLDER ARTEFACTS-FOLDER
set -euo pipefail
exe=$1
pictures=$2
out=$3
mkdir -p "$out"
rm -f "$out"/*.png "$out"/startup.txt

home=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config
settings=$XDG_CONFIG_HOME/Corpometer.ini

source "$(dirname "$0")/e2e_common.sh"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# The colour of one screen pixel as "r,g,b".
pixel() {
  import -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- 2>/dev/null |
    sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# How many pixels of an area of a screenshot have a colour (exactly).
count_colour() {  # shot x y w h "rgb(r,g,b)"
  convert "$1" -crop "$4x$5+$2+$3" +repage -fill white -opaque "$6" -fill black +opaque white \
    -format "%[fx:round(mean*w*h)]" info:
}

# Differing pixels between a screen area and a picture file.
differences() {  # x y picture
  local size
  size=$(identify -format "%wx%h" "$3")
  import -window root -crop "$size+$1+$2" +repage "$home/area.png"
  compare -metric AE "$home/area.png" "$3" null: 2>&1 || true
}

# Runs a check until it holds, for up to about three seconds: the program answers input on
# its own time, more slowly on a busy machine.
eventually() {
  for _ in $(seq 1 60); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}
shows() { [ "$(differences "$1" "$2" "$3")" = 0 ]; }
colour_count_above() { [ "$(count_colour "$1" "$2" "$3" "$4" "$5" "$6")" -gt "$7" ]; }
result_shows() {  # colour, minimum pixel count: a fresh screenshot's result area
  import -window root "$home/result.png"
  colour_count_above "$home/result.png" $((X + 203)) $((Y + 266)) 241 55 "$1" "$2"
}
settings_have() { [ -f "$settings" ] && grep -qx "$1" "$settings"; }

# --- Start-up: time to the mapped window and to its first painted pixels.
start=$(now_ms)
"$exe" &
pid=$!
wid=$(main_window_id) || fail "no window appeared"
mapped=$(now_ms)
eval "$(xdotool getwindowgeometry --shell "$wid")"  # X, Y, WIDTH, HEIGHT
[ "$WIDTH" = 488 ] && [ "$HEIGHT" = 405 ] || fail "window is ${WIDTH}x${HEIGHT}, not 488x405"
[ "$X" = 268 ] && [ "$Y" = 181 ] || fail "window at $X,$Y, not centred"
painted=""
for _ in $(seq 1 500); do
  # The branding strip's dark blue in its top-left corner means the background is painted.
  IFS=, read -r r g b <<<"$(pixel $((X + 3)) $((Y + 3)))"
  if [ -n "${b:-}" ] && [ "$r" -lt 60 ] && [ "$b" -gt "$r" ]; then painted=$(now_ms); break; fi
done
[ -n "$painted" ] || fail "the window was never painted"
echo "start-up: window mapped after $((mapped - start)) ms, first paint seen after $((painted - start)) ms" |
  tee "$out/startup.txt"
sleep 0.3
import -window root "$out/01-started.png"

# --- The Calculate button's pictures: at rest, under the cursor, pressed.
bx=$((X + 36)) by=$((Y + 274))
eventually shows $bx $by "$pictures/btnCalculate/Picture.png" || fail "rest picture not shown"
xdotool mousemove $((bx + 70)) $((by + 20))
eventually shows $bx $by "$pictures/btnCalculate/PictureHover.png" || fail "hover picture not shown"
xdotool mousedown 1
eventually shows $bx $by "$pictures/btnCalculate/PictureDown.png" || fail "pressed picture not shown"
import -window root "$out/02-pressed.png"
xdotool mousemove $((X + 300)) $((Y + 200))  # drag off and release elsewhere: no calculation
xdotool mouseup 1
eventually shows $bx $by "$pictures/btnCalculate/Picture.png" || fail "rest picture not back"
[ ! -f "$settings" ] || fail "a cancelled press calculated"

# --- Weight 180, height 5' 6" (row 18 of the list), in pounds.
xdotool mousemove $((X + 60)) $((Y + 160)) click 1  # the weight box
sleep 0.1
xdotool key ctrl+a
xdotool type --delay 20 "180"
xdotool mousemove $((X + 330)) $((Y + 140)) click 1  # the height list
sleep 0.1
xdotool key Home
for _ in $(seq 1 18); do xdotool key Down; done
xdotool mousemove $((bx + 70)) $((by + 20)) click 1
# BMI 29.11: overweight, in orange. The result label sits in the result panel.
eventually result_shows "rgb(255,128,64)" 150 || fail "the BMI area does not show the overweight colour"
shot="$out/03-overweight.png"
cp "$home/result.png" "$shot"
grey=$(count_colour "$shot" $((X + 32)) $((Y + 334)) 250 17 "rgb(96,96,96)")
[ "$grey" -gt 20 ] || fail "no ideal-weight line ($grey grey pixels)"
eventually settings_have "Weight=180" || fail "settings hold no Weight=180"
settings_have "Height=18" || fail "settings hold no Height=18: $(cat "$settings")"

# --- An extreme result flashes between two reds.
xdotool mousemove $((X + 60)) $((Y + 160)) click 1
xdotool key ctrl+a
xdotool type --delay 20 "300"
xdotool key Return  # Enter in the weight box calculates
seen_bright=0 seen_dark=0
for i in $(seq 1 20); do
  import -window root "$home/flash.png"
  [ "$(count_colour "$home/flash.png" $((X + 203)) $((Y + 266)) 241 55 "rgb(255,0,0)")" -gt 150 ] && seen_bright=1
  [ "$(count_colour "$home/flash.png" $((X + 203)) $((Y + 266)) 241 55 "rgb(175,0,0)")" -gt 150 ] && seen_dark=1
  [ $seen_bright = 1 ] && [ $seen_dark = 1 ] && break
  sleep 0.07
done
cp "$home/flash.png" "$out/04-extreme.png"
[ $seen_bright = 1 ] && [ $seen_dark = 1 ] || fail "no flashing (bright $seen_bright, dark $seen_dark)"
eventually settings_have "Weight=300" || fail "settings hold no Weight=300"

# --- The strip drags the window.
xdotool mousemove $((X + 478)) $((Y + 60)) mousedown 1
xdotool mousemove $((X + 478 - 40)) $((Y + 60 + 30))
xdotool mouseup 1
moved() {
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  [ "$X" = 228 ] && [ "$Y" = 211 ]
}
eventually moved || fail "dragged window at $X,$Y, not 228,211"

# --- The close button ends the program.
xdotool mousemove $((X + 448 + 10)) $((Y + 11 + 10))
sleep 0.1
import -window root "$out/05-close-hover.png"
xdotool click 1
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
if kill -0 "$pid" 2>/dev/null; then fail "the program is still running after its close button"; fi
wait "$pid" || fail "the program ended with status $?"
echo "screenshots in $out"
