#!/usr/bin/env bash
# Builds and starts Corpometer. Without a display it runs under a virtual X server,
# saves a screenshot to build/screenshot.png once the window is up, and then closes it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
bash "$root/scripts/ensure-packages.sh" "${RUN_PACKAGES[@]}"
# Only what running needs: the program with its pictures compiled in (not the tests,
# benchmarks or fuzz replays).
BUILD_TARGETS=corpometer bash "$root/scripts/build.sh"
exe="$root/build/app/corpometer"

if [ -n "${DISPLAY:-}" ]; then
  exec "$exe"
fi

shot="$root/build/screenshot.png"
echo "No display: starting Corpometer under Xvfb; the screenshot goes to $shot"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$1" & pid=$!
  for _ in $(seq 1 100); do
    # The window is up once the X server has a mapped window of ours.
    if xwininfo -root -tree 2>/dev/null | grep -q "\"Corpometer\""; then break; fi
    sleep 0.1
  done
  sleep 1
  import -window root "$2"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
' _ "$exe" "$shot"
echo "Screenshot: $shot"
