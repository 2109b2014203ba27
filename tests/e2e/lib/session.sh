# Shared by with-xvfb.sh, with-weston.sh and with-atspi.sh (sourced, not run).
#
# A wrapper parses its arguments with session_begin, starts its servers (session_add_server),
# tells the command about them through the environment and ends with session_run, which runs the command in a process group of its own under an optional
# deadline and then stops the command's leftovers and every server, however the run ends:
# normally, on failure, on the deadline, or on SIGINT/SIGTERM/SIGHUP. The servers are also
# started with a parent-death signal, and a guard process stops the command's group when the
# wrapper is gone, so even a SIGKILL of the wrapper (CTest's timeout) leaves nothing behind.

session_name=${0##*/}
session_usage="usage: $session_name [--timeout SECONDS] ARTEFACTS-FOLDER -- COMMAND [ARG...]"
session_servers=()
session_command_pid=""
session_watchdog_pid=""
session_guard_pid=""
session_stopped=""

session_die() {
  echo "$session_name: $*" >&2
  exit 2
}

# Parses "[--timeout SECONDS] ARTEFACTS -- COMMAND...": sets session_timeout (0: none),
# session_artefacts (created, absolute) and session_command; makes session_tmp.
session_begin() {
  session_timeout=0
  session_artefacts=""
  while [ $# -gt 0 ]; do
    case $1 in
      --timeout)
        [ $# -ge 2 ] && [[ $2 =~ ^[0-9]+$ ]] || session_die "--timeout needs whole seconds; $session_usage"
        session_timeout=$2
        shift 2
        ;;
      --) shift; break ;;
      -*) session_die "unknown option $1; $session_usage" ;;
      *)
        [ -z "$session_artefacts" ] || session_die "one artefacts folder only; $session_usage"
        session_artefacts=$1
        shift
        ;;
    esac
  done
  [ -n "$session_artefacts" ] && [ $# -gt 0 ] || session_die "$session_usage"
  session_command=("$@")
  mkdir -p "$session_artefacts"
  session_artefacts=$(cd "$session_artefacts" && pwd)
  session_tmp=$(mktemp -d "${TMPDIR:-/tmp}/e2e-session.XXXXXXXX")
  trap session_stop EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  trap 'exit 129' HUP
}

# Servers are started in the background by the wrapper as
#   setpriv --pdeathsig TERM SERVER... [redirections] &
#   session_add_server $!
# so that they get SIGTERM when the wrapper dies, however it dies, and are stopped at the end.
session_add_server() {
  session_servers+=("$1")
}

# Starts a private D-Bus session bus as a server of this session, logging to LOG; exports
# DBUS_SESSION_BUS_ADDRESS and sets session_bus_pid. Dies when the bus reports no address.
session_start_bus() {  # LOG
  mkfifo "$session_tmp/bus-address"
  setpriv --pdeathsig TERM dbus-daemon --session --nofork --nopidfile --print-address=3 \
    3>"$session_tmp/bus-address" >"$1" 2>&1 &
  session_bus_pid=$!
  session_add_server "$session_bus_pid"
  # The daemon writes its address once it listens; EOF means it ended.
  local address=""
  read -r -t 30 address <"$session_tmp/bus-address" || true
  rm -f "$session_tmp/bus-address"
  [ -n "$address" ] || session_die "the D-Bus session bus reported no address within 30 s; see $1"
  export DBUS_SESSION_BUS_ADDRESS=$address
}

# Polls a check until it holds: every 20 ms, for at most SECONDS. Returns 1 when time is up.
session_poll() {  # SECONDS CHECK...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.02
  done
}

# Whether a process group still has a member that is not a zombie (an orphan's zombie waits
# for init, which may take its time).
session_group_alive() {  # PGID
  ps -e -o pgid=,stat= | awk -v g="$1" '$1 == g && $2 !~ /^Z/ { alive = 1 } END { exit !alive }'
}

# Ends a process group: SIGTERM, then SIGKILL after SECONDS.
session_end_group() {  # PGID SECONDS
  kill -TERM -- "-$1" 2>/dev/null || return 0
  session_poll "$2" eval "! session_group_alive $1" || kill -KILL -- "-$1" 2>/dev/null || true
}

session_end_process() {  # PID SECONDS
  kill -TERM "$1" 2>/dev/null || return 0
  session_poll "$2" eval "! kill -0 $1 2>/dev/null" || kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# Stops the command's process group, then the servers, newest first. Runs once, on exit.
session_stop() {
  [ -z "$session_stopped" ] || return 0
  session_stopped=1
  [ -z "$session_watchdog_pid" ] || session_end_process "$session_watchdog_pid" 1
  # The command is the leader of its group; what it started in the background and left
  # running is still in the group after the leader ended.
  [ -z "$session_command_pid" ] || session_end_group "$session_command_pid" 5
  [ -z "$session_guard_pid" ] || session_end_process "$session_guard_pid" 1
  local i
  for ((i = ${#session_servers[@]} - 1; i >= 0; i--)); do
    session_end_process "${session_servers[i]}" 5
  done
  rm -rf "$session_tmp"
}

# Runs the command with the environment set up by the wrapper and exits with its status,
# or with 124 after the deadline. A wrapper may define session_on_timeout to collect
# evidence (a screenshot) while its servers still run.
session_run() {
  setpriv --pdeathsig TERM setsid "${session_command[@]}" &
  session_command_pid=$!
  # The guard holds the read end of a pipe that only this wrapper writes to; when that ends,
  # however this wrapper ended, the guard stops the command's group.
  exec {session_guard_fd}> >(
    exec >/dev/null 2>&1
    read -r _ || true
    rm -rf "$session_tmp"
    kill -TERM -- "-$session_command_pid" 2>/dev/null || exit 0
    session_poll 5 eval "! session_group_alive $session_command_pid" ||
      kill -KILL -- "-$session_command_pid" 2>/dev/null
  )
  session_guard_pid=$!
  local finished="" status=0
  if [ "$session_timeout" -gt 0 ]; then
    setpriv --pdeathsig KILL sleep "$session_timeout" {session_guard_fd}>&- &
    session_watchdog_pid=$!
    wait -n -p finished "$session_command_pid" "$session_watchdog_pid" || status=$?
    if [ "$finished" = "$session_watchdog_pid" ]; then
      session_watchdog_pid=""
      echo "TIMEOUT: '${session_command[*]}' did not finish within $session_timeout s." >&2
      if declare -F session_on_timeout >/dev/null; then session_on_timeout || true; fi
      echo "Evidence in $session_artefacts: $(cd "$session_artefacts" && ls | tr '\n' ' ')" >&2
      exit 124
    fi
  else
    wait "$session_command_pid" || status=$?
  fi
  exit "$status"
}
