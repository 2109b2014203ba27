#!/usr/bin/env bash
# Builds Corpometer and its two tools (build/tools/corpometer-brand, build/tools/corpogif/
# corpogif) and starts Corpometer. Without a display it runs under a virtual X server, saves
# a screenshot to build/screenshot.png once the window is up, and then closes it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
bash "$root/scripts/ensure-packages.sh" "${RUN_PACKAGES[@]}"
# What the README uses: the program with its pictures compiled in and the two tools (not the
# tests, benchmarks or fuzz replays).
BUILD_TARGETS="corpometer corpometer-brand corpogif" bash "$root/scripts/build.sh"
exe="$root/build/app/corpometer"

if [ -n "${DISPLAY:-}" ]; then
  exec "$exe"
fi

shot="$root/build/screenshot.png"
artefacts="$root/build/run-artefacts"
echo "No display: starting Corpometer under Xvfb; the screenshot goes to $shot"
bash "$root/tests/e2e/lib/with-xvfb.sh" --timeout 120 "$artefacts" -- bash -c '
  set -euo pipefail
  shot=$3
  source "$1/tests/e2e/e2e_common.sh"
  trap e2e_stop_programs EXIT
  e2e_start corpometer "$2"
  wait_main_window 60
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  # Painted once the branding strip shows its dark blue in the top-left corner.
  painted() {
    e2e_screenshot "$shot" || return 1
    IFS=, read -r r g b <<<"$(e2e_pixel "$shot" $((X + 3)) $((Y + 3)))"
    [ "$r" -lt 60 ] && [ "$b" -gt "$r" ]
  }
  e2e_wait_for 60 "the window to be painted" painted
' _ "$root" "$exe" "$shot"
echo "Screenshot: $shot"
