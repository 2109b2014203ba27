#!/usr/bin/env bash
# Runs the real-window tests (CTest label e2e) N times in a row under load: stress-ng keeps
# every core busy, and a second X server is started and stopped in a loop on the side, by
# turns with "xvfb-run -a" (as another program might) and with our own wrapper. Prints how
# many runs passed; exits non-zero unless all did. Logs go to BUILD/soak-e2e/.
# Usage: bash scripts/soak-e2e.sh N    (BUILD_DIR=... picks the build folder; default build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:?"usage: bash scripts/soak-e2e.sh N"}
build=${BUILD_DIR:-$root/build}
source "$root/scripts/packages.sh"
bash "$root/scripts/ensure-packages.sh" "${TEST_PACKAGES[@]}" stress-ng
BUILD_DIR=$build bash "$root/scripts/build.sh" >/dev/null
logs=$build/soak-e2e
rm -rf "$logs"
mkdir -p "$logs"

stress-ng --cpu "$(nproc)" --quiet >/dev/null 2>&1 &
stress=$!
(
  while :; do
    xvfb-run -a -s "-screen 0 640x480x24" xdpyinfo >/dev/null 2>&1 || true
    bash "$root/tests/e2e/lib/with-xvfb.sh" "$logs/side" -- xdpyinfo >/dev/null 2>&1 || true
    echo cycle >>"$logs/side-cycles"
  done
) &
side=$!
trap 'kill "$side" "$stress" 2>/dev/null || true; wait "$side" "$stress" 2>/dev/null || true' EXIT

passed=0
start=$SECONDS
for i in $(seq 1 "$runs"); do
  # The fresh-clone test builds the whole program and uses no display: left out.
  if ctest --test-dir "$build" -L e2e -E '^e2e_fresh_clone$' --parallel "$(nproc)" \
    --output-on-failure >"$logs/run-$i.log" 2>&1; then
    passed=$((passed + 1))
    echo "run $i: passed ($(grep -o 'Total Test time (real) = *[0-9.]* sec' "$logs/run-$i.log" | grep -o '[0-9.]* sec'))"
  else
    echo "run $i: FAILED, see $logs/run-$i.log"
    cp -r "$build/e2e-artefacts" "$logs/artefacts-$i"
  fi
done
echo "soak: $passed of $runs runs of the e2e label passed in $((SECONDS - start)) s under" \
  "stress-ng --cpu $(nproc), with $(wc -l <"$logs/side-cycles" 2>/dev/null || echo 0) side X server cycles"
[ "$passed" = "$runs" ]
