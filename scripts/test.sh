#!/usr/bin/env bash
# Builds everything and runs every test: unit, widget (offscreen), end-to-end (Xvfb).
# Exits non-zero when anything fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
bash "$root/scripts/ensure-packages.sh" "${TEST_PACKAGES[@]}"
bash "$root/scripts/build.sh"
cd "$root/build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
