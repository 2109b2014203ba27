# Checks on the main window in screenshots, exact to the pixel, for the scripts that run
# under lib/with-xvfb.sh or lib/with-weston.sh (sourced after lib/e2e.sh). The caller sets
# $pictures (the artwork folder); screenshots go into $HOME (the scratch folder that
# e2e_private_home makes). Works the same under X11 and Wayland: the window is found on the
# screenshot by its background picture.

check=("$(dirname "${BASH_SOURCE[0]}")/screen_check.py")

# Starts the program and waits for its painted window: X and Y are its place on the screen.
start_corpometer() {  # EXECUTABLE
  e2e_start corpometer "$1"
  e2e_wait_for 30 "the painted window" window_located
}
window_located() {
  e2e_screenshot "$HOME/screen.png" &&
    read -r X Y < <("${check[@]}" locate "$HOME/screen.png" "$pictures/mainWindow/background.png" 2>/dev/null)
}
# The area of a control shows a picture, plain or with the focus mark over it.
shows() {  # same|focus-mark LEFT TOP PICTURE
  e2e_screenshot "$HOME/screen.png" &&
    "${check[@]}" "$1" "$HOME/screen.png" $((X + $2)) $((Y + $3)) "$4" 2>/dev/null
}
# The four picture buttons at rest, as drawn.
buttons_at_rest() {
  shows same 36 274 "$pictures/calculateButton/Picture.png" &&
    shows same 398 11 "$pictures/menuButton/Picture.png" &&
    shows same 423 11 "$pictures/minimizeButton/Picture.png" &&
    shows same 448 11 "$pictures/closeButton/Picture.png"
}
# The result area holds more than 150 pixels of a colour.
result_shows() {  # R,G,B
  e2e_screenshot "$HOME/screen.png" &&
    [ "$("${check[@]}" count "$HOME/screen.png" $((X + 203)) $((Y + 266)) 241 55 "$1")" -gt 150 ]
}
