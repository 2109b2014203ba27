#!/usr/bin/env bash
# The real corpometer driven by key presses alone (run under lib/with-xvfb.sh): types a
# weight, picks a height, tabs to Calculate (its focus mark on screen) and presses Space;
# opens Quick Help from the menu button and closes it with Escape; tabs to the close button
# (its focus mark on screen) and presses Space, which ends the program. Then the same inputs
# calculated with the mouse must show the same result, pixel for pixel.
# Usage: keyboard_e2e.sh CORPOMETER PICTURES-FOLDER
set -euo pipefail
exe=$1
pictures=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/e2e.sh"
source "$here/window_checks.sh"

e2e_private_home
settings=$XDG_CONFIG_HOME/Corpometer.ini

settings_have() { [ -f "$settings" ] && grep -qx "$1" "$settings"; }
visible() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
windows_shown() { [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -ge "$1" ]; }
ended() { ! kill -0 "$1" 2>/dev/null; }

# --- Keys only. No window manager here: the window system gives the window the focus.
start_corpometer "$exe"
pid=$E2E_PID
e2e_wait_window 30 '^Corpometer$'
wid=$E2E_WINDOW
xdotool windowfocus --sync "$wid"
xdotool key ctrl+a
xdotool type --delay 20 "180"
# Tab: the unit options, then the height list, on 5' 8" (row 20); two rows up is 5' 6".
xdotool key Tab Tab Up Up Tab Tab
e2e_wait_for 20 "the focus mark on Calculate" shows focus-mark 36 274 "$pictures/calculateButton/Picture.png"
e2e_screenshot "$out/focus-calculate.png" "488x405+$X+$Y"
xdotool key space
# BMI 29.11: overweight, in its darker orange.
e2e_wait_for 20 "the overweight result" result_shows 191,96,48
e2e_screenshot "$out/result-by-keyboard.png" "241x55+$((X + 203))+$((Y + 266))"
# Wait until the file holds both inputs.
e2e_wait_for 20 "the saved inputs Weight=180 and Height=18" \
  eval 'settings_have "Weight=180" && settings_have "Height=18"'

# The menu button: Space opens the menu, Down and Enter choose Quick Help, Escape closes it.
xdotool key Tab space
e2e_wait_for 20 "the menu" windows_shown 2
xdotool key Down Return
e2e_wait_for 20 "Quick Help" visible '^Quick Help$'
# Shown is not yet focused: the window system hands Quick Help the keyboard only once the
# menu has let it go, and an Escape sent before that goes to the main window.
help_window=$(xdotool search --onlyvisible --name '^Quick Help$' | head -n1)
e2e_wait_for 20 "Quick Help to have the keyboard" \
  eval '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$help_window" ]'
xdotool key Escape
e2e_wait_for 20 "Quick Help to close" eval "! visible '^Quick Help\$'"

# On to the close button; Space closes the window and ends the program.
xdotool windowfocus --sync "$wid"
xdotool key Tab Tab
e2e_wait_for 20 "the focus mark on the close button" shows focus-mark 448 11 "$pictures/closeButton/Picture.png"
e2e_screenshot "$out/focus-close.png" "488x405+$X+$Y"
xdotool key space
e2e_wait_for 20 "the program to end after its close button" ended "$pid"
wait "$pid" || e2e_fail "the program ended with status $?"

# --- The mouse, on the saved inputs: the same result, pixel for pixel.
start_corpometer "$exe"
xdotool mousemove $((X + 36 + 70)) $((Y + 274 + 20)) click 1
e2e_wait_for 20 "the overweight result by mouse" result_shows 191,96,48
e2e_screenshot "$HOME/by-mouse.png" "241x55+$((X + 203))+$((Y + 266))"
"${check[@]}" same "$HOME/by-mouse.png" 0 0 "$out/result-by-keyboard.png" ||
  e2e_fail "the mouse's result differs from the keyboard's"
echo "keyboard and mouse agree; focus marks in $out"
