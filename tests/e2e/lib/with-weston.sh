#!/usr/bin/env bash
# Runs a command against a headless Wayland compositor (weston) of its own and stops both
# afterwards.
#
#   with-weston.sh [--timeout SECONDS] ARTEFACTS-FOLDER -- COMMAND [ARG...]
#
# weston runs with the headless back end and the pixman renderer on a 1024 x 768 output
# (E2E_SCREEN=WxH changes it), its socket in a private XDG_RUNTIME_DIR, so runs never meet.
# The command runs once the socket takes connections, with XDG_RUNTIME_DIR, WAYLAND_DISPLAY,
# QT_QPA_PLATFORM=wayland, DISPLAY unset, E2E_ARTEFACTS=the folder and E2E_WESTON_PID=the
# compositor's pid; screenshots come from weston-screenshooter (lib/e2e.sh's
# e2e_screenshot). weston's log goes to ARTEFACTS/weston.log. Exit status: the command's;
# 124 when it outlives --timeout (a screenshot goes to ARTEFACTS/timeout.png first); 2 when
# weston does not come up. Wrappers nest: with-atspi.sh may be the COMMAND.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
session_begin "$@"

log=$session_artefacts/weston.log
runtime=$session_tmp/runtime
mkdir -m 0700 "$runtime"
socket=wayland-e2e
size=${E2E_SCREEN:-1024x768}
size=${size%x*x*}  # a depth as in E2E_SCREEN for Xvfb does not matter here
XDG_RUNTIME_DIR=$runtime setpriv --pdeathsig TERM weston --backend=headless-backend.so \
  --use-pixman --socket="$socket" --width="${size%x*}" --height="${size#*x}" --debug \
  --idle-time=0 >"$log" 2>&1 &
weston_pid=$!
session_add_server "$weston_pid"

# weston takes connections once its socket exists; clients are served from then on.
socket_ready() {
  kill -0 "$weston_pid" 2>/dev/null || session_die "weston ended at start-up; its log: $log"
  [ -S "$runtime/$socket" ]
}
session_poll 30 socket_ready ||
  session_die "weston (pid $weston_pid) made no socket within 30 s; its log: $log"

export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
export E2E_ARTEFACTS=$session_artefacts
export E2E_WESTON_PID=$weston_pid
unset DISPLAY
echo "with-weston: WAYLAND_DISPLAY=$socket in $runtime, artefacts in $session_artefacts"

session_on_timeout() {
  local dir
  dir=$(mktemp -d)
  (cd "$dir" && timeout 10 weston-screenshooter >/dev/null 2>&1 &&
    mv wayland-screenshot-*.png "$session_artefacts/timeout.png")
  rm -rf "$dir"
}
session_run
