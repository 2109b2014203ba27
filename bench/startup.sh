#!/usr/bin/env bash
# Start-up time: corpometer against two yardsticks, from exec to the first painted window, run
# alternately under the same display in one run: the smallest Qt Widgets window
# (qt-smallest-window), and Corpometer's window made of stock Qt widgets (qt-stock-form: the
# same size, fonts and texts, group boxes, radio buttons, a list of 36 rows, four push buttons,
# five legend swatches), which is what an ordinary Qt form of that window costs. A fourth
# program, the smallest window as a label with one line of text (qt-smallest-window --text),
# shows what reading the fonts and drawing text costs any window with text.
#
#   bash bench/startup.sh [BUILD_DIR] [RUNS] [PLATFORM...]
#
# PLATFORMs: xcb (a virtual X server of its own, through tests/e2e/lib/with-xvfb.sh) and
# offscreen (Qt draws into memory); both by default. RUNS (default 21) per program and
# platform, after 2 unmeasured ones each. Every program and the X server run on one core
# (STARTUP_CPU, default the last; empty for no pinning), with an empty home folder and, as on
# a desktop, a session bus of their own (without one, every Qt program would start a bus
# launcher of its own on each start).
# STARTUP_OTHER=PATH adds another corpometer executable (an earlier build, say) to the same
# runs, on a row of its own.
#
# The time is taken just before exec by a small launcher; the program, started with
# CORPOMETER_REPORT_FIRST_PAINT set, prints the monotonic clock and its CPU time once its
# window's first paint is on the screen, and quits. Prints per platform and corpometer the
# medians (wall clock and CPU time, in ms) and its time over the smallest window's, the text
# window's and the stock form's (the goal).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# Inside the display: the measured runs, "NAME WALL-MS CPU-MS" a line.
# Arguments: RUNS, then NAME=PROGRAM[,ARG] for each program.
if [ "${1:-}" = --measure ]; then
  runs=$2
  shift 2
  programs=("$@")
  home=$(mktemp -d)
  trap 'rm -rf "$home"' EXIT
  one_run() {  # NAME=PROGRAM[,ARG]
    local name=${1%%=*} command
    IFS=, read -r -a command <<<"${1#*=}"
    local output
    output=$(HOME=$home XDG_CONFIG_HOME=$home/.config CORPOMETER_REPORT_FIRST_PAINT=1 \
      timeout 30 python3 -c '
import os, sys, time
print("exec", time.monotonic_ns(), time.clock_gettime_ns(time.CLOCK_PROCESS_CPUTIME_ID), flush=True)
os.execv(sys.argv[1], sys.argv[1:])' "${command[@]}" 2>/dev/null) || {
      echo "$name did not report its first paint" >&2
      return 1
    }
    awk -v name="$name" '
      $1 == "exec" { start = $2; cpu = $3 }
      $1 == "first-paint" { printf "%s %.2f %.2f\n", name, ($2 - start) / 1e6, ($3 - cpu) / 1e6 }
    ' <<<"$output"
  }
  every_program() {
    for program in "${programs[@]}"; do one_run "$program"; done
  }
  for ((i = 0; i < 2; ++i)); do every_program >/dev/null; done
  for ((i = 0; i < runs; ++i)); do every_program; done
  exit 0
fi

build=${1:-$root/build}
runs=${2:-21}
shift $(($# > 2 ? 2 : $#))
platforms=("$@")
[ ${#platforms[@]} -gt 0 ] || platforms=(xcb offscreen)
reference=$build/bench/qt-smallest-window
programs=("corpometer=$build/app/corpometer")
[ -z "${STARTUP_OTHER:-}" ] || programs+=("other=$STARTUP_OTHER")
programs+=("reference=$reference" "text=$reference,--text" "form=$build/bench/qt-stock-form")
for program in "${programs[@]}"; do
  executable=${program#*=}
  executable=${executable%%,*}
  [ -x "$executable" ] || { echo "missing $executable: build first" >&2; exit 1; }
done
for tool in python3 dbus-run-session; do
  command -v $tool >/dev/null || { echo "$tool is needed" >&2; exit 1; }
done

cpu=${STARTUP_CPU-$(($(nproc) - 1))}
pin=()
[ -z "$cpu" ] || pin=(taskset -c "$cpu")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() {  # of the numbers on standard input
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

quiet() {  # standard error without the bus's complaint that it may not raise its file limit
  grep -v '^dbus-daemon\[[0-9]*\]: .*fd limit' || true
}

echo "start-up, exec to first paint: medians of $runs runs each, alternating, core ${cpu:-any}"
echo "(Qt: the smallest Qt window; text: the same with a line of text; form: the window of stock"
echo " Qt widgets; ratio: corpometer over the column before it)"
printf '%-16s %-53s | %s\n' "" "wall clock, ms" "CPU time, ms"
printf '%-16s %6s %6s %5s %6s %5s %6s %5s | %6s %6s %5s %6s %5s %6s %5s\n' platform \
  corpo Qt ratio text ratio form ratio corpo Qt ratio text ratio form ratio
for platform in "${platforms[@]}"; do
  log=$work/$platform.txt
  case $platform in
    xcb)
      # The X wrapper gives its programs a session bus of their own (not the caller's).
      env -u DBUS_SESSION_BUS_ADDRESS "${pin[@]}" bash "$root/tests/e2e/lib/with-xvfb.sh" \
        --timeout 900 "$work/xvfb" -- bash "$0" --measure "$runs" "${programs[@]}" >"$log"
      ;;
    offscreen)
      QT_QPA_PLATFORM=offscreen "${pin[@]}" dbus-run-session -- bash "$0" --measure "$runs" \
        "${programs[@]}" >"$log" 2> >(quiet >&2)
      ;;
    *)
      echo "unknown platform $platform (xcb, offscreen)" >&2
      exit 2
      ;;
  esac
  of() {  # NAME COLUMN: the median
    awk -v name="$1" -v column="$2" '$1 == name { print $column }' "$log" | median
  }
  for corpometer in corpometer other; do
    grep -q "^$corpometer " "$log" || continue
    awk -v row="$platform ${corpometer/corpometer/}" \
      -v figures="$(of $corpometer 2) $(of reference 2) $(of text 2) $(of form 2) $(of $corpometer 3) $(of reference 3) $(of text 3) $(of form 3)" \
      'BEGIN {
        split(figures, f, " ")
        printf "%-16s %6.1f %6.1f %5.2f %6.1f %5.2f %6.1f %5.2f | %6.1f %6.1f %5.2f %6.1f %5.2f %6.1f %5.2f\n", row,
          f[1], f[2], f[1] / f[2], f[3], f[1] / f[3], f[4], f[1] / f[4],
          f[5], f[6], f[5] / f[6], f[7], f[5] / f[7], f[8], f[5] / f[8]
      }'
  done
done
echo "goals: corpometer at most 1.2 times the smallest Qt window and at most 1.0 times the form"
