# Shared by the Corpometer real-window test scripts (sourced) on top of lib/e2e.sh.
source "$(dirname "${BASH_SOURCE[0]}")/lib/e2e.sh"

# Whether the main window is visible; its id goes to $wid. Polled (rather than "xdotool
# search --sync", which looks twice a second) so that a start-up measurement stays sharp.
main_window_visible() {
  wid=$(xdotool search --onlyvisible --name '^Corpometer$' 2>/dev/null | head -n1) || true
  [ -n "$wid" ]
}

# Waits for the main window and puts its id in $wid.
wait_main_window() {  # SECONDS
  e2e_wait_for "$1" "the main window to appear" main_window_visible
}
