#!/usr/bin/env bash
# Runs a command against a virtual X server of its own and stops both afterwards.
#
#   with-xvfb.sh [--timeout SECONDS] ARTEFACTS-FOLDER -- COMMAND [ARG...]
#
# The server picks a free display itself (-displayfd), so two runs at once never meet on one
# display. The command runs once the server answers, with DISPLAY and XAUTHORITY (a private
# cookie), QT_QPA_PLATFORM=xcb, WAYLAND_DISPLAY unset, a private XDG_RUNTIME_DIR,
# E2E_ARTEFACTS=the folder and E2E_XVFB_PID=the server's pid; unless DBUS_SESSION_BUS_ADDRESS
# is set, a private session bus too (DBUS_SESSION_BUS_ADDRESS, E2E_DBUS_PID=its pid). The
# server's log goes to ARTEFACTS/xvfb.log, the bus's to ARTEFACTS/session-bus.log. Exit
# status: the command's; 124 when it outlives --timeout (a screenshot goes to
# ARTEFACTS/timeout.png first); 2 when the server or the bus does not come up. Whatever the
# command left running in its process group is stopped at the end. E2E_SCREEN sets the screen
# (default 1024x768x24). Wrappers nest: with-atspi.sh may be the COMMAND (with a bus of its
# own).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
session_begin "$@"

log=$session_artefacts/xvfb.log
# A private cookie. The server takes the cookies of its file whatever display they name;
# clients look for their display's, which is known once the server runs.
cookie=$(mcookie)
server_auth=$session_tmp/server-auth
auth=$session_tmp/Xauthority
: >"$server_auth"
: >"$auth"
xauth -q -f "$server_auth" add :0 . "$cookie"

mkfifo "$session_tmp/displayfd"
# -noreset: by default the server resets when its last client leaves, and a client that
# connects meanwhile is refused (the readiness check below is such a last client).
setpriv --pdeathsig TERM Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1024x768x24}" -noreset \
  -nolisten tcp -auth "$server_auth" 3>"$session_tmp/displayfd" >"$log" 2>&1 &
xvfb_pid=$!
session_add_server "$xvfb_pid"
# The server writes its display number once it accepts connections; EOF means it ended.
number=""
read -r -t 30 number <"$session_tmp/displayfd" || true
[[ $number =~ ^[0-9]+$ ]] ||
  session_die "Xvfb reported no display within 30 s; its log, $log:$(printf '\n'; tail -n 20 "$log")"

xauth -q -f "$auth" add ":$number" . "$cookie"
mkdir -m 0700 "$session_tmp/runtime"
export DISPLAY=:$number XAUTHORITY=$auth QT_QPA_PLATFORM=xcb E2E_ARTEFACTS=$session_artefacts
export XDG_RUNTIME_DIR=$session_tmp/runtime
export E2E_XVFB_PID=$xvfb_pid
unset WAYLAND_DISPLAY
session_poll 10 xdpyinfo >/dev/null 2>&1 ||
  session_die "Xvfb on $DISPLAY (pid $xvfb_pid) does not answer after 10 s; its log: $log"
# Without a session bus every Qt program would start a bus launcher of its own (dbus-launch):
# several ms a start, and such a launcher once outlived its server. The command gets a
# private bus instead, stopped with the server; a bus already given is kept.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
  session_start_bus "$session_artefacts/session-bus.log"
  export E2E_DBUS_PID=$session_bus_pid
fi
echo "with-xvfb: $DISPLAY, artefacts in $session_artefacts"

session_on_timeout() {
  import -window root "$session_artefacts/timeout.png" 2>/dev/null
}
session_run
