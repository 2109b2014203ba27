#!/usr/bin/env bash
# The Windows packages as users and administrators get them (the end of the Windows stage,
# after scripts/test-windows.sh has cross-built everything):
# - built twice from the same commit, the installer, the zip and the Debian package are the
#   same bytes (the programs linked and their resources compiled anew in between);
# - each program and the installer carry the version information and the icon;
# - under Wine, silent installs, branded and not, and uninstalls
#   (tests/packaging/windows_install.sh).
# Exits non-zero when anything fails. Logs and screenshots go to
# build-windows/installer-artefacts/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
windows=$root/build-windows
artefacts=$windows/installer-artefacts
started=$SECONDS
status=0
fail() {
  echo "FAIL: $*"
  status=1
}
rm -rf "$artefacts"
mkdir -p "$artefacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== Windows packages: two builds, the same bytes"
package_windows() {  # OUTPUT-FOLDER
  bash "$root/scripts/package-windows.sh" "$1" >"$artefacts/package-windows.log" 2>&1 || {
    cat "$artefacts/package-windows.log"
    echo "FAIL: scripts/package-windows.sh failed"
    exit 1
  }
}
package_windows "$work/first"
programs=(corpometer.exe corpogif.exe corpometer-brand.exe)
rm -f "$windows/app/corpometer.exe" "$windows/tools/corpometer-brand.exe" \
  "$windows/tools/corpogif/corpogif.exe"
find "$windows" -name '*-version.rc.res' -delete
package_windows "$work/second"
for package in "$work/first"/corpometer-*.{exe,zip}; do
  name=$(basename "$package")
  if cmp -s "$package" "$work/second/$name"; then
    echo "  $name: $(stat -c %s "$package") bytes, the same twice"
  else
    fail "$name differs between two builds of the same commit"
  fi
done
deb() {  # OUTPUT-FOLDER
  PACKAGE_LINTIAN=0 bash "$root/scripts/package.sh" "$1" 2>"$artefacts/package.log" |
    tail -n 1 || {
    cat "$artefacts/package.log" >&2
    echo "FAIL: scripts/package.sh failed" >&2
    exit 1
  }
}
first_deb=$(deb "$work/deb-first")
rm -f "$root/build/app/corpometer" "$root/build/tools/corpometer-brand" \
  "$root/build/tools/corpogif/corpogif"
second_deb=$(deb "$work/deb-second")
if cmp -s "$first_deb" "$second_deb"; then
  echo "  $(basename "$first_deb"): $(stat -c %s "$first_deb") bytes, the same twice"
else
  fail "$(basename "$first_deb") differs between two builds of the same commit"
fi

setup=$(ls "$work/first"/corpometer-*-setup.exe)
zip=$(ls "$work/first"/corpometer-*-win64.zip)
cp "$setup" "$zip" "$artefacts/"

echo "== Windows packages: contents, version information and icons"
expected=$(printf 'Corpometer/%s\n' "${programs[@]}" README.txt | LC_ALL=C sort)
listed=$(unzip -Z1 "$zip" | LC_ALL=C sort)
[ "$listed" = "$expected" ] || fail "the zip holds: $listed"
unzip -q "$zip" -d "$work/portable"
icon=$(od -An -v -tx1 "$root/assets/pictures/icons/256.png" | tr -d " \n")
for program in "$work/portable/Corpometer/"*.exe "$setup"; do
  x86_64-w64-mingw32-windres -i "$program" -O rc >"$work/resources.rc" 2>/dev/null ||
    fail "windres cannot read the resources of $(basename "$program")"
  for value in '"ProductName", "Corpometer"' '"FileVersion", "1.0.0' '"CompanyName", "The Corpometer'; do
    grep -qF "$value" "$work/resources.rc" || fail "$(basename "$program") has no $value"
  done
  # The program's icon is the desktop icons' drawings, stored as they are.
  od -An -v -tx1 "$program" | tr -d " \n" | grep -qF "$icon" || fail "$(basename "$program") has not our icon"
done

echo "== Windows installer under Wine: silent installs and uninstalls in a fresh prefix"
bash "$root/tests/e2e/lib/with-xvfb.sh" --timeout 300 "$artefacts/wine" -- \
  bash "$root/tests/packaging/windows_install.sh" "$setup" "$windows" "$root" || status=1

echo "== Windows packages: $((SECONDS - started)) s, $([ "$status" -eq 0 ] && echo passed || echo FAILED)"
exit $status
