#!/usr/bin/env bash
# Builds the Debian package of Corpometer (the program, both tools, the desktop entry,
# icons, AppStream data and manual pages) with CPack and checks it with lintian. The same
# commit gives the same bytes (SOURCE_DATE_EPOCH: scripts/source-date.sh).
#
#   bash scripts/package.sh [OUTPUT-FOLDER]        (default: build/package)
#
# Prints the package's path last. PACKAGE_SKIP_BUILD=1 packs the build folder as it is
# (the tests do that; they run on a finished build); PACKAGE_LINTIAN=0 leaves out the
# lintian check (the reproducibility test, which compares bytes only).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
out=${1:-$build/package}
source "$root/scripts/packages.sh"
bash "$root/scripts/ensure-packages.sh" "${PACKAGE_PACKAGES[@]}"
# Every file of the package carries the last commit's time: the same commit, the same bytes.
source "$root/scripts/source-date.sh"

if [ "${PACKAGE_SKIP_BUILD:-0}" != 1 ]; then
  BUILD_TARGETS="corpometer corpometer-brand corpogif corpometer_desktop_files" \
    BUILD_DIR="$build" bash "$root/scripts/build.sh"
fi
mkdir -p "$out"
rm -f "$out"/*.deb
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
  cat "$out/cpack.log" >&2
  echo "error: cpack failed" >&2
  exit 1
}
rm -rf "$out/_CPack_Packages"
deb=$(ls "$out"/*.deb)
# Errors fail the package; warnings are shown.
if [ "${PACKAGE_LINTIAN:-1}" != 0 ]; then
  lintian --fail-on error --tag-display-limit 0 "$deb" >&2
fi
echo "$deb"
