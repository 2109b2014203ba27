#!/usr/bin/env bash
# Builds the Windows packages of Corpometer from the MinGW-w64 build (build-windows/):
#   corpometer-VERSION-setup.exe  the installer (NSIS): for every user or for one, Start menu
#                                 entry, uninstall entry, silent mode, branding option
#   corpometer-VERSION-win64.zip  the portable folder: the three programs and a read-me
#
#   bash scripts/package-windows.sh [OUTPUT-FOLDER]     (default: build-windows/package)
#
# Prints the two packages' paths last. The same commit gives the same bytes: every file
# carries the last commit's time (scripts/source-date.sh), the programs are linked without a
# time stamp, and the zip's entries have fixed times, order and attributes.
# PACKAGE_SKIP_BUILD=1 packs the build folder as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-windows}
out=${1:-$build/package}
source "$root/scripts/packages.sh"
bash "$root/scripts/ensure-packages.sh" "${WINDOWS_PACKAGES[@]}" "${WINDOWS_PACKAGE_PACKAGES[@]}"
source "$root/scripts/source-date.sh"

version=$(sed -n 's/^project(Corpometer VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "error: no version in CMakeLists.txt" >&2; exit 1; }

# The programs, where the build puts them.
programs=(app/corpometer.exe tools/corpogif/corpogif.exe tools/corpometer-brand.exe)

if [ "${PACKAGE_SKIP_BUILD:-0}" != 1 ]; then
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DCORPOMETER_WITH_QT=OFF -DCORPOMETER_WITH_BENCH=OFF
  fi
  targets=()
  for program in "${programs[@]}"; do targets+=(--target "$(basename "$program" .exe)"); done
  cmake --build "$build" --parallel "$(nproc)" "${targets[@]}" \
    --target corpometer_windows_icon
fi
missing=()
for program in "${programs[@]}" windows/corpometer.ico; do
  [ -f "$build/$program" ] || missing+=("$build/$program")
done
if [ ${#missing[@]} -gt 0 ]; then
  printf 'error: not built: %s\n' "${missing[@]}" >&2
  exit 1
fi

# The folder that both packages hold, every file with the same time.
stage=$out/stage/Corpometer
rm -rf "$out/stage"
mkdir -p "$stage"
for program in "${programs[@]}"; do cp "$build/$program" "$stage/"; done
# Windows' own line ends in the read-me.
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$root/packaging/windows/README.txt" \
  >"$stage/README.txt"
chmod 0644 "$stage"/*
touch -h -d "@$SOURCE_DATE_EPOCH" "$stage"/* "$stage"

zip=$out/corpometer-$version-win64.zip
setup=$out/corpometer-$version-setup.exe
rm -f "$zip" "$setup"

# -X: no extra fields (owner, times beyond the DOS one); -D: no folder entries; entries in
# a fixed order; DOS times are local times, so the time zone is fixed too.
(cd "$out/stage" && find Corpometer -type f | LC_ALL=C sort |
  TZ=UTC zip -X -D -9 -q "$zip" -@)

defines=(-DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup"
         -DICON="$build/windows/corpometer.ico")
makensis -V2 -WX -INPUTCHARSET UTF8 "${defines[@]}" "$root/packaging/windows/corpometer.nsi" >&2

echo "$setup"
echo "$zip"
