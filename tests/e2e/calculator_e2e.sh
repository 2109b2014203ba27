#!/usr/bin/env bash
# The real corpometer driven by key presses alone and read the way a screen reader reads it
# (run under lib/with-xvfb.sh inside lib/with-atspi.sh):
# - "70,5" kilograms at 175 cm gives 23.02, and again after a restart, with the units and
#   the row of the centimetre list restored;
# - "80kg" with Pounds chosen and 999999 kilograms give a message and no result;
# - 150 pounds at 5' 9" gives the same figure before and after a restart;
# - 102.185 pounds at 5' 0" reads "20.0, Normal": the band of the figure shown;
# - typed at start, a weight replaces the saved one;
# - a FIFO in place of the settings file neither keeps the window from showing nor is
#   replaced, and neither is a device node the settings file links to.
# Usage: calculator_e2e.sh CORPOMETER
set -euo pipefail
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/e2e.sh"

e2e_private_home
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
settings=$XDG_CONFIG_HOME/Corpometer.ini
mkdir -p "$XDG_CONFIG_HOME"

# Debian's python3: python3-pyatspi belongs to it, not to another python on PATH.
drive() { /usr/bin/python3 "$here/atspi_drive.py" "$@"; }
ended() { ! kill -0 "$1" 2>/dev/null; }
# The windows of the program other than the main one (a message box).
other_window() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    [ "$id" = "$wid" ] || { box=$id; return 0; }
  done
  return 1
}

start() {  # NAME
  e2e_start "$1" "$exe"
  pid=$E2E_PID
  e2e_wait_window 30 '^Corpometer$'
  wid=$E2E_WINDOW
  # No window manager here: the window system gives the window the focus.
  xdotool windowfocus --sync "$wid"
}
# Tab from the height list: its unit options, Calculate, menu, minimise, close; Space on the
# close button ends the program.
close_from_height_list() {
  xdotool key Tab Tab Tab Tab Tab space
  e2e_wait_for 20 "the program to end after its close button" ended "$pid"
  wait "$pid" || e2e_fail "the program ended with status $?"
}
# Down N times from the top of the height list, which has the focus.
pick_row() {  # N
  local keys=(Home) i
  for ((i = 0; i < $1; i++)); do keys+=(Down); done
  xdotool key "${keys[@]}"
}
# The message box says TEXT, no result is shown; Enter closes it.
expect_message() {  # TEXT
  drive message "$1" 30 || e2e_fail "no message \"$1\""
  e2e_wait_for 20 "the message box" other_window
  xdotool windowfocus --sync "$box" key Return
  e2e_wait_for 20 "the message box to close" eval '! other_window'
  xdotool windowfocus --sync "$wid"
}

# --- Kilograms and centimetres, typed over the saved weight at start.
start first
xdotool type --delay 20 "70,5"
# Tab: the weight units (Right: Kilograms), the height list, its units (Right: Centimeters,
# which refills the list), back to the list and down to 175 cm; Enter calculates.
xdotool key Tab Right Tab Tab Right shift+Tab
pick_row 54
xdotool key Return
drive result "23.02, Normal" 30 || e2e_fail "70,5 kg at 175 cm is not 23.02"
close_from_height_list

start second
xdotool key Return
drive result "23.02, Normal" 30 || e2e_fail "after a restart, 70,5 kg at 175 cm is not 23.02"

# --- Weights that are not one number, or that no person has: a message, not a result.
xdotool key ctrl+a
xdotool type --delay 20 "80kg"
xdotool key Tab Left shift+Tab Return
expect_message "Please specify weight"
xdotool key ctrl+a
xdotool type --delay 20 "999999"
xdotool key Tab Right shift+Tab Return
expect_message "Please specify a weight between 4.6 and 681.8 kgs."

# --- Pounds at feet and inches.
xdotool key ctrl+a
xdotool type --delay 20 "150"
xdotool key Tab Left Tab Tab Left shift+Tab
pick_row 21
xdotool key Return
drive result "22.2, Normal" 30 || e2e_fail "150 lb at 5' 9\" is not 22.2"
close_from_height_list
grep -qx "HeightUnit=FeetInches" "$settings" || e2e_fail "the units were not saved: $(cat "$settings")"

start third
xdotool key Return
drive result "22.2, Normal" 30 || e2e_fail "after a restart, 150 lb at 5' 9\" is not 22.2"
# A BMI of 19.997 is shown as 20.0, and so it is normal.
xdotool key ctrl+a
xdotool type --delay 20 "102.185"
xdotool key Tab Tab
pick_row 12
xdotool key Return
drive result "20.0, Normal" 30 || e2e_fail "102.185 lb at 5' 0\" is not 20.0, normal"
kill "$pid"
wait "$pid" 2>/dev/null || true

# --- A FIFO in place of the settings file: the window shows and says which file it skipped.
rm -f "$settings"
mkfifo "$settings"
start fifo
xdotool key Return
drive result "21.33, Normal" 30 || e2e_fail "with a FIFO for settings, the defaults do not calculate"
[ -p "$settings" ] || e2e_fail "the FIFO in place of the settings file was replaced"
grep -q "$settings" "$out/fifo.out.log" || e2e_fail "the skipped settings file is not named on stderr"
kill "$pid"
wait "$pid" 2>/dev/null || true

# --- A link to a device node: never replaced by a plain file. (A node of our own, so that
# a fault could never replace a device of the machine.)
rm -f "$settings"
if mknod "$HOME/null" c 1 3 2>/dev/null; then
  ln -s "$HOME/null" "$settings"
  start device
  xdotool key Return
  drive result "21.33, Normal" 30 || e2e_fail "with a device for settings, the defaults do not calculate"
  [ -L "$settings" ] && [ -c "$HOME/null" ] || e2e_fail "the device the settings file links to was replaced"
else
  echo "mknod is not allowed here: the device case is left out"
fi
echo "calculated by keys, read through AT-SPI; artefacts in $out"
