#!/usr/bin/env bash
# The arm64 stage: the libraries that need no toolkit (platform, dib, gif, the application's
# core, the brand tool) and their display-free tests cross-built for 64-bit ARM Linux with
# Debian's cross compiler into build-arm64/, and run under qemu-user. What would need
# libraries built for arm64 (Qt, giflib, zlib) is left to the native stages.
# Exits non-zero when anything fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
bash "$root/scripts/ensure-packages.sh" "${ARM64_PACKAGES[@]}"

jobs=$(nproc)
build=$root/build-arm64
started=$SECONDS

echo "== arm64: cross-build with g++-aarch64-linux-gnu"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/aarch64-linux-gnu.cmake" \
    -DCORPOMETER_WITH_QT=OFF -DCORPOMETER_WITH_BENCH=OFF
else
  cmake -S "$root" -B "$build" >/dev/null
fi
cmake --build "$build" --parallel "$jobs"
echo "Cross-built in $((SECONDS - started)) s"

echo "== arm64: tests under qemu-user"
status=0
ctest --test-dir "$build" -L core --output-on-failure --parallel "$jobs" --timeout 600 || status=1
# The test cases each program ran, from the programs' own summaries.
awk '/^[0-9]+\/[0-9]+ Testing: /{name=$3}
     /^\[  PASSED  \]/{print "  " name ": " $4 " test cases passed"}
     / inputs replayed without a fault$/{print "  " name ": " $1 " inputs replayed"}' \
  "$build/Testing/Temporary/LastTest.log"
echo "== arm64 stage: $((SECONDS - started)) s, $([ "$status" -eq 0 ] && echo passed || echo FAILED)"
exit $status
