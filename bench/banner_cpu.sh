#!/usr/bin/env bash
# CPU use while a banner plays: Corpometer with an animated banner in its branding, next to
# the smallest Qt program that plays the same GIF (QMovie in a QLabel of the banner's
# size), measured in the same run under Xvfb. Each program gets its own X server, so the
# server's share is counted too.
#
#   bash bench/banner_cpu.sh [BUILD_DIR] [SECONDS] [ROUNDS] [GIF]
#
# Without GIF, a 468 x 60 banner of 10 frames at 100 ms is made with ImageMagick.
# Prints, per program and round, the CPU time of the program and of its X server as a
# percentage of one core, and the medians.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${2:-20}
rounds=${3:-3}
gif=${4:-}
warmup=3

corpometer=$build/app/corpometer
brand=$build/tools/corpometer-brand
qmovie=$build/bench/qmovie-banner
for program in "$corpometer" "$brand" "$qmovie"; do
  [ -x "$program" ] || { echo "missing $program: build first" >&2; exit 1; }
done
command -v Xvfb >/dev/null || { echo "Xvfb is needed" >&2; exit 1; }
if [ -z "$gif" ]; then
  command -v convert >/dev/null || { echo "ImageMagick's convert is needed" >&2; exit 1; }
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

if [ -n "$gif" ]; then
  cp "$gif" "$work/banner.gif"
else
  # A 468 x 60 banner of 10 frames, 100 ms each: a ball crossing a gradient with a caption.
  for i in $(seq 0 9); do
    x=$((30 + i * 45))
    convert -size 468x60 gradient:navy-steelblue -fill gold -draw "circle $x,30 $((x + 18)),30" \
      -fill white -pointsize 20 -annotate +150+38 "Corpometer $i" "$work/part$i.gif"
  done
  convert -delay 10 -loop 0 "$work"/part?.gif "$work/banner.gif"
fi

# Corpometer reads its branding from beside the executable: a copy in a folder of its own.
mkdir "$work/app"
cp "$corpometer" "$work/app/"
cp "$work/banner.gif" "$work/app/banner.gif"
"$brand" write "$work/app/3.dat" --banner-file banner.gif --animated-banner >/dev/null

clock_ticks=$(getconf CLK_TCK)
cpu_ticks() {  # utime + stime of a process, in clock ticks
  awk '{ print $14 + $15 }' "/proc/$1/stat"
}

# Starts an X server and the program on it; measures both after the warm-up.
# Prints "program_percent server_percent".
measure() {
  local displayfile=$work/display
  rm -f "$displayfile"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" 2>/dev/null &
  local xpid=$!
  pids+=("$xpid")
  for _ in $(seq 50); do [ -s "$displayfile" ] && break; sleep 0.1; done
  local display=":$(cat "$displayfile")"
  DISPLAY=$display "$@" >/dev/null 2>&1 &
  local ppid=$!
  pids+=("$ppid")
  sleep "$warmup"
  local p0 x0 p1 x1
  p0=$(cpu_ticks "$ppid"); x0=$(cpu_ticks "$xpid")
  sleep "$seconds"
  p1=$(cpu_ticks "$ppid"); x1=$(cpu_ticks "$xpid")
  kill "$ppid" "$xpid" 2>/dev/null || true
  wait "$ppid" "$xpid" 2>/dev/null || true
  awk -v p=$((p1 - p0)) -v x=$((x1 - x0)) -v hz="$clock_ticks" -v s="$seconds" \
    'BEGIN { printf "%.2f %.2f\n", 100 * p / hz / s, 100 * x / hz / s }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$work/corpometer.txt"
: >"$work/qmovie.txt"
echo "round  program      program %CPU  X server %CPU  (${seconds}s each)"
for round in $(seq "$rounds"); do
  read -r p x < <(measure "$work/app/corpometer")
  echo "$p $x" >>"$work/corpometer.txt"
  printf '%5d  %-11s  %12s  %13s\n' "$round" corpometer "$p" "$x"
  read -r p x < <(measure "$qmovie" "$work/banner.gif")
  echo "$p $x" >>"$work/qmovie.txt"
  printf '%5d  %-11s  %12s  %13s\n' "$round" qmovie "$p" "$x"
done
printf 'median corpometer: program %s%%, X server %s%%\n' \
  "$(cut -d' ' -f1 "$work/corpometer.txt" | median)" "$(cut -d' ' -f2 "$work/corpometer.txt" | median)"
printf 'median qmovie:     program %s%%, X server %s%%\n' \
  "$(cut -d' ' -f1 "$work/qmovie.txt" | median)" "$(cut -d' ' -f2 "$work/qmovie.txt" | median)"
