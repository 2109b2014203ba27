#!/usr/bin/env bash
# Start-up time: corpometer against the smallest Qt Widgets window (qt-smallest-window), from
# exec to the first painted window, run alternately under the same display in one run.
#
#   bash bench/startup.sh [BUILD_DIR] [RUNS] [PLATFORM...]
#
# PLATFORMs: xcb (a virtual X server of its own, through tests/e2e/lib/with-xvfb.sh) and
# offscreen (Qt draws into memory); both by default. RUNS (default 21) per program and
# platform, after 2 unmeasured ones each. Every program and the X server run on one core
# (STARTUP_CPU, default the last; empty for no pinning), with an empty home folder.
#
# The time is taken just before exec by a small launcher; the program, started with
# CORPOMETER_REPORT_FIRST_PAINT set, prints the monotonic clock and its CPU time once its
# window's first paint is on the screen, and quits. Prints per platform the medians of both
# (wall clock and CPU time, in ms) and corpometer's over the reference's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# Inside the display: the measured runs. Prints "NAME WALL-MS CPU-MS" per run.
if [ "${1:-}" = --measure ]; then
  runs=$2 corpometer=$3 reference=$4
  home=$(mktemp -d)
  trap 'rm -rf "$home"' EXIT
  one_run() {  # NAME PROGRAM
    local output
    output=$(HOME=$home XDG_CONFIG_HOME=$home/.config CORPOMETER_REPORT_FIRST_PAINT=1 \
      timeout 30 python3 -c '
import os, sys, time
print("exec", time.monotonic_ns(), time.clock_gettime_ns(time.CLOCK_PROCESS_CPUTIME_ID), flush=True)
os.execv(sys.argv[1], sys.argv[1:])' "$2" 2>/dev/null) || {
      echo "$1 did not report its first paint" >&2
      return 1
    }
    awk -v name="$1" '
      $1 == "exec" { start = $2; cpu = $3 }
      $1 == "first-paint" { printf "%s %.2f %.2f\n", name, ($2 - start) / 1e6, ($3 - cpu) / 1e6 }
    ' <<<"$output"
  }
  for ((i = 0; i < 2; ++i)); do
    one_run corpometer "$corpometer" >/dev/null
    one_run reference "$reference" >/dev/null
  done
  for ((i = 0; i < runs; ++i)); do
    one_run corpometer "$corpometer"
    one_run reference "$reference"
  done
  exit 0
fi

build=${1:-$root/build}
runs=${2:-21}
shift $(($# > 2 ? 2 : $#))
platforms=("$@")
[ ${#platforms[@]} -gt 0 ] || platforms=(xcb offscreen)
corpometer=$build/app/corpometer
reference=$build/bench/qt-smallest-window
for program in "$corpometer" "$reference"; do
  [ -x "$program" ] || { echo "missing $program: build first" >&2; exit 1; }
done
command -v python3 >/dev/null || { echo "python3 is needed" >&2; exit 1; }

cpu=${STARTUP_CPU-$(($(nproc) - 1))}
pin=()
[ -z "$cpu" ] || pin=(taskset -c "$cpu")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() {  # column of numbers on stdin
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

echo "start-up, exec to first paint: medians of $runs runs each, alternating, core ${cpu:-any}"
printf '%-10s %13s %13s %7s %13s %13s %7s\n' platform "ours ms" "Qt ms" ratio \
  "ours CPU ms" "Qt CPU ms" ratio
for platform in "${platforms[@]}"; do
  log=$work/$platform.txt
  case $platform in
    xcb)
      "${pin[@]}" bash "$root/tests/e2e/lib/with-xvfb.sh" --timeout 600 "$work/xvfb" -- \
        bash "$0" --measure "$runs" "$corpometer" "$reference" >"$log"
      ;;
    offscreen)
      QT_QPA_PLATFORM=offscreen "${pin[@]}" bash "$0" --measure "$runs" "$corpometer" \
        "$reference" >"$log"
      ;;
    *)
      echo "unknown platform $platform (xcb, offscreen)" >&2
      exit 2
      ;;
  esac
  ours=$(awk '$1 == "corpometer" { print $2 }' "$log" | median)
  theirs=$(awk '$1 == "reference" { print $2 }' "$log" | median)
  ours_cpu=$(awk '$1 == "corpometer" { print $3 }' "$log" | median)
  theirs_cpu=$(awk '$1 == "reference" { print $3 }' "$log" | median)
  awk -v p="$platform" -v a="$ours" -v b="$theirs" -v c="$ours_cpu" -v d="$theirs_cpu" \
    'BEGIN { printf "%-10s %13.1f %13.1f %7.2f %13.1f %13.1f %7.2f\n", p, a, b, a / b, c, d, c / d }'
done
echo "goal: corpometer at most 1.2 times the smallest Qt window"
