#!/usr/bin/env bash
# Builds everything and runs every test: unit, widget (offscreen), end-to-end (Xvfb), the
# display-free tests once more under AddressSanitizer and UndefinedBehaviorSanitizer, the
# widget and end-to-end tests once more with a branding and settings planted where the
# program looks (scripts/test-branded-machine.sh), and the Windows build's under Wine
# (scripts/test-windows.sh), and the display-free libraries' tests built for arm64 under qemu-user
# (scripts/test-arm64.sh).
# Exits non-zero when anything fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
bash "$root/scripts/ensure-packages.sh" "${TEST_PACKAGES[@]}"

jobs=$(nproc)
status=0

echo "== Build and test the display-free tests under ASan and UBSan"
BUILD_DIR="$root/build-sanitize" bash "$root/scripts/build.sh" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORPOMETER_SANITIZE=ON \
  -DCORPOMETER_WITH_QT=OFF -DCORPOMETER_WITH_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-sanitize" -L core --output-on-failure --parallel "$jobs" \
  --timeout 900 || status=1


echo "== Build and test (release)"
BUILD_DIR="$root/build" bash "$root/scripts/build.sh"
# Every test runs once: one that fails has failed.
ctest --test-dir "$root/build" --output-on-failure --parallel "$jobs" --timeout 600 || status=1

echo "== The widget and real-window tests on a machine branded for everyone, with a user's settings"
BUILD_DIR="$root/build" bash "$root/scripts/test-branded-machine.sh" || status=1

echo "== The Windows build (MinGW-w64), tested under Wine"
bash "$root/scripts/test-windows.sh" || status=1

echo "== The display-free libraries built for arm64, tested under qemu-user"
bash "$root/scripts/test-arm64.sh" || status=1

exit $status
