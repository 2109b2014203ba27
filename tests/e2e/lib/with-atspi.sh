#!/usr/bin/env bash
# Runs a command with a private D-Bus session bus and the accessibility (AT-SPI) bus on it,
# and stops them afterwards. Meant to be nested in with-xvfb.sh or with-weston.sh:
#
#   with-xvfb.sh [--timeout S] ARTEFACTS -- with-atspi.sh ARTEFACTS -- COMMAND [ARG...]
#
# The command runs once the accessibility bus answers, with DBUS_SESSION_BUS_ADDRESS=the
# private bus, QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (Qt programs then publish their widgets),
# E2E_ARTEFACTS=the folder and E2E_DBUS_PID=the session bus's pid; XDG_RUNTIME_DIR is kept
# if set (weston's must stay), else a private one. lib/atspi_tree.py (Debian's
# /usr/bin/python3 with pyatspi) waits for an application and prints its tree. The buses'
# output goes to ARTEFACTS/dbus.log and ARTEFACTS/at-spi.log. Exit status: the command's;
# 124 when it outlives --timeout; 2 when a bus does not come up.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
session_begin "$@"

# The accessibility bus puts its socket under XDG_RUNTIME_DIR: a private one unless the outer
# wrapper gave one (weston's must stay).
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  mkdir -m 0700 "$session_tmp/runtime"
  export XDG_RUNTIME_DIR=$session_tmp/runtime
fi
session_start_bus "$session_artefacts/dbus.log"
# The launcher reads its settings through GSettings: the schemas Debian installs (a test's
# own XDG_DATA_DIRS has none), the values kept in memory, so that no machine's or user's dconf
# database reaches it.
export GSETTINGS_SCHEMA_DIR=/usr/share/glib-2.0/schemas GSETTINGS_BACKEND=memory

setpriv --pdeathsig TERM /usr/libexec/at-spi-bus-launcher --launch-immediately \
  >"$session_artefacts/at-spi.log" 2>&1 &
launcher_pid=$!
session_add_server "$launcher_pid"
# Answering means: the launcher owns its name (asking before that would start a second one
# through D-Bus activation) and hands out the address of an accessibility bus that answers.
a11y_bus_answers() {
  kill -0 "$launcher_pid" 2>/dev/null ||
    session_die "the accessibility bus launcher ended; its log, $session_artefacts/at-spi.log:$(printf '\n'; tail -n 5 "$session_artefacts/at-spi.log")"
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' ||
    return 1
  local bus
  bus=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress 2>/dev/null | tr -d ' ') || return 1
  [ -n "$bus" ] && dbus-send --bus="$bus" --print-reply --dest=org.freedesktop.DBus \
    /org/freedesktop/DBus org.freedesktop.DBus.GetId >/dev/null 2>&1
}
session_poll 30 a11y_bus_answers ||
  session_die "the accessibility bus does not answer after 30 s; see $session_artefacts/at-spi.log"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 E2E_ARTEFACTS=$session_artefacts E2E_DBUS_PID=$session_bus_pid
unset NO_AT_BRIDGE
echo "with-atspi: private session bus and accessibility bus up, artefacts in $session_artefacts"
session_run
