# Functions for a real-display test script (sourced) that runs under with-xvfb.sh or
# with-weston.sh (optionally with with-atspi.sh): start the program with its output kept,
# wait for conditions with a bound, take screenshots, fail with the evidence named.
# Sourcing it removes the screenshots of an earlier run from the folder.

out=${E2E_ARTEFACTS:?"run this under tests/e2e/lib/with-xvfb.sh or with-weston.sh"}
rm -f "$out"/*.png
e2e_pids=()

# Starts a program in the background, its stdout and stderr in ARTEFACTS/NAME.out.log; the
# pid is in E2E_PID. Assignments before the call (HOME=... e2e_start ...) reach the program.
e2e_start() {  # NAME COMMAND [ARG...]
  local name=$1
  shift
  "$@" >"$out/$name.out.log" 2>&1 &
  E2E_PID=$!
  e2e_pids+=("$E2E_PID")
}

# A screenshot of the whole screen, or of an area "WxH+X+Y" of it, as a picture file.
e2e_screenshot() {  # FILE [AREA]
  if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    # weston-screenshooter writes wayland-screenshot-<time>.png into the current folder.
    local dir
    dir=$(mktemp -d)
    (cd "$dir" && timeout 20 weston-screenshooter >/dev/null 2>&1) || true
    local shot=("$dir"/wayland-screenshot-*.png)
    if [ -f "${shot[0]}" ]; then
      if [ -n "${2:-}" ]; then convert "${shot[0]}" -crop "$2" +repage "$1"; else mv "${shot[0]}" "$1"; fi
    fi
    rm -rf "$dir"
    [ -f "$1" ]
  elif [ -n "${2:-}" ]; then
    import -window root -crop "$2" +repage "$1"
  else
    import -window root "$1"
  fi
}

# The colour of one pixel of a picture file as "r,g,b" (0-255).
e2e_pixel() {  # FILE X Y
  convert "$1" -crop "1x1+$2+$3" +repage -depth 8 -format "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]" info:
}

# Reports a failure and exits: a screenshot goes to ARTEFACTS/failure.png, and the message
# names every file of evidence (screenshots, the program's output, the server's log).
e2e_fail() {
  echo "FAIL: $*" >&2
  e2e_screenshot "$out/failure.png" 2>/dev/null || true
  echo "Evidence in $out:" >&2
  (cd "$out" && ls -1 | sed 's/^/  /') >&2
  local log
  for log in "$out"/*.out.log; do
    [ -s "$log" ] || continue
    echo "--- last lines of $log:" >&2
    tail -n 15 "$log" >&2
  done
  exit 1
}

# Runs a check until it holds, every 20 ms, for at most SECONDS; otherwise fails with
# "waited SECONDS s for WHAT". Nothing else in a test waits: no fixed pauses.
e2e_wait_for() {  # SECONDS WHAT CHECK...
  local seconds=$1 what=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || e2e_fail "waited $seconds s for $what"
    sleep 0.02
  done
}

# Waits at most SECONDS for a visible X window whose name matches a regular expression and
# puts its id in E2E_WINDOW. (xdotool looks twice a second; poll with e2e_wait_for and
# "xdotool search" where start-up time is measured.)
e2e_wait_window() {  # SECONDS NAME-PATTERN
  E2E_WINDOW=$(timeout "$1" xdotool search --sync --onlyvisible --name "$2" 2>/dev/null | head -n1) || true
  [ -n "$E2E_WINDOW" ] || e2e_fail "no visible window named /$2/ within $1 s"
}

# Stops the programs started with e2e_start (the wrappers stop anything else left over).
e2e_stop_programs() {
  local pid
  for pid in "${e2e_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${e2e_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}

# A home and configuration folder of the test's own (settings written by one run never reach
# another), and English whatever the desktop's language (a test of another language sets its
# locale for the program it starts); on exit the programs started here are stopped and the
# folder removed.
e2e_private_home() {
  e2e_home=$(mktemp -d)
  trap 'e2e_stop_programs; rm -rf "$e2e_home"' EXIT
  export HOME=$e2e_home XDG_CONFIG_HOME=$e2e_home/.config
  unset LANGUAGE LC_ALL LC_MESSAGES LC_NUMERIC
  export LANG=C.UTF-8
}
