#!/usr/bin/env bash
# Checks the display wrappers in lib/ themselves, the ground every real-window test stands on:
# an X server with the accessibility bus, then weston with it, each with a Qt program that
# must show up on the accessibility bus (and on weston's screenshot); the command's exit
# status comes back, and afterwards no server and nothing the command left running is alive,
# also when the command outlives its deadline (the X server's own session bus included);
# clients in a row all get in.
# Usage: display_helpers.sh QT-PROGRAM APPLICATION-NAME ARTEFACTS-FOLDER
set -euo pipefail
program=$1
name=$2
out=$3
lib=$(cd "$(dirname "$0")/lib" && pwd)
mkdir -p "$out"

fail() {
  echo "FAIL: $*; evidence in $out" >&2
  exit 1
}
# Gone: no such process, or only its zombie waiting for init.
gone() {  # FILE-WITH-PID WHAT
  local pid state
  pid=$(cat "$1") || fail "no pid of $2 was written down"
  state=$(ps -o stat= -p "$pid" || true)
  [ -z "$state" ] || [[ $state == Z* ]] || fail "$2 (pid $pid) still runs after its wrapper ended"
}

# The command inside: the Qt program on the bus, pids written down, a leftover in the
# background, and a status of its own.
inside='
  "$1" >"$E2E_ARTEFACTS/program.out.log" 2>&1 &
  echo $! >"$E2E_ARTEFACTS/program.pid"
  sleep 300 &
  echo $! >"$E2E_ARTEFACTS/leftover.pid"
  echo "${E2E_XVFB_PID:-${E2E_WESTON_PID:-}}" >"$E2E_ARTEFACTS/server.pid"
  echo "$E2E_DBUS_PID" >"$E2E_ARTEFACTS/bus.pid"
  "$3/atspi_tree.py" "$2" 60 >"$E2E_ARTEFACTS/tree.txt" || exit 10
  if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    source "$3/e2e.sh"
    e2e_screenshot "$E2E_ARTEFACTS/screen.png" || exit 11
  fi
  exit 3'

for display in xvfb weston; do
  dir=$out/$display
  status=0
  bash "$lib/with-$display.sh" --timeout 100 "$dir" -- \
    bash "$lib/with-atspi.sh" "$dir" -- bash -c "$inside" _ "$program" "$name" "$lib" || status=$?
  [ $status != 10 ] || fail "$name did not show up on the accessibility bus under $display"
  [ $status != 11 ] || fail "no screenshot under $display"
  [ $status = 3 ] || fail "with-$display.sh + with-atspi.sh gave status $status, not the command's 3"
  for what in server bus program leftover; do gone "$dir/$what.pid" "the $what under $display"; done
done
[ "$(identify -format %wx%h "$out/weston/screen.png")" = 1024x768 ] || fail "weston's screenshot is not 1024x768"

# Short clients one after another all get in (a server that resets between clients refuses
# some of them).
bash "$lib/with-xvfb.sh" "$out/clients" -- bash -c '
  for i in $(seq 50); do xdpyinfo >/dev/null || exit 1; done' ||
  fail "a client in a row of 50 short ones could not connect to with-xvfb.sh's server"

# A command past its deadline: stopped with what it started, a screenshot taken, status 124.
dir=$out/deadline
status=0
env -u DBUS_SESSION_BUS_ADDRESS bash "$lib/with-xvfb.sh" --timeout 2 "$dir" -- bash -c '
  echo "$E2E_XVFB_PID" >"$E2E_ARTEFACTS/server.pid"
  echo "$E2E_DBUS_PID" >"$E2E_ARTEFACTS/bus.pid"
  sleep 300 &
  echo $! >"$E2E_ARTEFACTS/leftover.pid"
  sleep 300' || status=$?
[ $status = 124 ] || fail "a command past its deadline gave status $status, not 124"
[ -s "$dir/timeout.png" ] || fail "no screenshot at the deadline"
gone "$dir/server.pid" "the X server past the deadline"
gone "$dir/bus.pid" "the X server's session bus past the deadline"
gone "$dir/leftover.pid" "the leftover past the deadline"
echo "PASS"
