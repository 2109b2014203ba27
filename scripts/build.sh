#!/usr/bin/env bash
# Configures and builds the tree into build/ (or $BUILD_DIR). Extra arguments go to cmake's
# configure step; $BUILD_TARGETS (space-separated) limits the build to those targets. Quick
# when nothing changed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
# Files compiled into the programs (Qt's resources) carry the last commit's time, not the
# checkout's: the same commit builds the same bytes in any folder.
source "$root/scripts/source-date.sh"
if [ -f "$build/CMakeCache.txt" ]; then
  # Re-run the configure step so that folders added since are picked up.
  cmake -S "$root" -B "$build" "$@" >/dev/null
else
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
fi
targets=()
for target in ${BUILD_TARGETS:-}; do targets+=(--target "$target"); done
cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
