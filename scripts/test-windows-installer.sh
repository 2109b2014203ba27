#!/usr/bin/env bash
# The Windows packages as users and administrators get them (the end of the Windows stage,
# after scripts/test-windows.sh has cross-built everything):
# - built twice from the same commit, the installer, the zip and the Debian package are the
#   same bytes (the programs linked and their resources compiled anew in between);
# - each program and the installer carry the version information and the icon;
# - under Wine, in a fresh prefix of its own: a branding folder without 3.dat is refused with
#   nothing installed; a silent install for every user (files, Start menu shortcut, uninstall
#   entry); a silent branded install over it; a silent install for one user; silent
#   uninstalls that leave the user's settings unless asked, and no file or key of either
#   installation once Windows has started again.
# Exits non-zero when anything fails. Logs go to build-windows/installer-artefacts/.
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
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export PATH=/usr/lib/wine:$PATH LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

echo "== Windows packages: two builds, the same bytes"
package_windows() {  # OUTPUT-FOLDER
  bash "$root/scripts/package-windows.sh" "$1" >"$artefacts/package-windows.log" 2>&1 || {
    cat "$artefacts/package-windows.log"
    echo "FAIL: scripts/package-windows.sh failed"
    exit 1
  }
}
package_windows "$work/first"
# The window is one of the programs once the tree has it.
programs=(corpogif.exe corpometer-brand.exe)
[ -d "$root/app/win32" ] && programs=(corpometer.exe "${programs[@]}")
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

echo "== Windows installer under Wine: a fresh prefix"
wine_started=$SECONDS
mkdir -p "$WINEPREFIX"
wineserver -p || [ $? = 2 ]
wine64 wineboot --init >/dev/null 2>&1
echo "Wine ready in $((SECONDS - wine_started)) s"
drive=$WINEPREFIX/drive_c
files() { (cd "$drive" && find . | LC_ALL=C sort); }
files >"$work/files-before"
windows_path() { echo "Z:${1//\//\\}"; }
run_setup() {  # OPTIONS...: the installer's exit status
  wine64 "$setup" "$@" && echo 0 || echo $?
}

machine=$drive/Program\ Files/Corpometer
user=$drive/users/$(id -un)/AppData/Local/Programs/Corpometer
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Corpometer'
settings_key='HKCU\Software\VB and VBA Program Settings\Corpometer\Settings'

# An administrator's mistake costs nothing: a branding folder without 3.dat.
mkdir -p "$work/no-branding"
rc=$(run_setup /S "/BRANDING=$(windows_path "$work/no-branding")")
[ "$rc" = 2 ] || fail "/BRANDING of a folder without 3.dat: exit status $rc, not 2"
[ ! -e "$machine" ] || fail "/BRANDING of a folder without 3.dat installed something"

echo "== Silent install for every user"
rc=$(run_setup /S)
[ "$rc" = 0 ] || fail "setup.exe /S exited $rc"
for program in "${programs[@]}" uninstall.exe; do
  [ -f "$machine/$program" ] || fail "not installed: Program Files\\Corpometer\\$program"
done
wine64 reg query "HKLM\\$uninstall_key" >"$artefacts/uninstall-entry.txt" 2>&1 ||
  fail "no uninstall entry under HKLM"
for value in "DisplayName    REG_SZ    Corpometer" "DisplayVersion    REG_SZ    1.0.0" \
  "Publisher    REG_SZ    The Corpometer developers" "DisplayIcon    REG_SZ    C:\\Program Files\\Corpometer\\" \
  "UninstallString    REG_SZ    \"C:\\Program Files\\Corpometer\\uninstall.exe\"" \
  "QuietUninstallString    REG_SZ    \"C:\\Program Files\\Corpometer\\uninstall.exe\" /S"; do
  grep -qF "$value" "$artefacts/uninstall-entry.txt" || fail "the uninstall entry lacks $value"
done
size=$(sed -n 's/.*EstimatedSize    REG_DWORD    \(0x[0-9a-f]*\).*/\1/p' "$artefacts/uninstall-entry.txt")
installed_kb=$(du -sk "$machine" | cut -f1)
# The size Windows shows, in KB: what the folder holds, within a few KB of rounding.
[ -n "$size" ] && [ $((size)) -ge $((installed_kb * 9 / 10)) ] ||
  fail "EstimatedSize ${size:-missing} for a folder of $installed_kb KB"
if [ -f "$machine/corpometer.exe" ]; then
  shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Corpometer.lnk"
  grep -qaF 'C:\Program Files\Corpometer\corpometer.exe' "$shortcut" 2>/dev/null ||
    fail "the Start menu shortcut does not start C:\\Program Files\\Corpometer\\corpometer.exe"
fi
wine64 "$machine/corpometer-brand.exe" --version >/dev/null ||
  fail "the installed corpometer-brand.exe does not start"

echo "== Silent branded install"
brand=$work/acme
mkdir -p "$brand/art"
convert -size 375x60 xc:'#FF00FF' "$brand/art/banner.gif"
wine64 "$machine/corpometer-brand.exe" write "$(windows_path "$brand/3.dat")" \
  --name-text "ACME Health && Fitness" --title "ACME BMI" --banner-file 'art\banner.gif' \
  --animated-banner --seed 7 >/dev/null
rc=$(run_setup /S "/BRANDING=$(windows_path "$brand")")
[ "$rc" = 0 ] || fail "setup.exe /S /BRANDING exited $rc"
cmp -s "$brand/3.dat" "$machine/3.dat" || fail "3.dat is not installed beside the programs"
cmp -s "$brand/art/banner.gif" "$machine/art/banner.gif" || fail "the banner is not installed"
wine64 "$machine/corpometer-brand.exe" show 'C:\Program Files\Corpometer\3.dat' | tr -d '\r' |
  grep -qx 'NameText=ACME Health && Fitness' || fail "the installed 3.dat reads otherwise"

echo "== Silent install for one user"
rc=$(run_setup /S /CurrentUser)
[ "$rc" = 0 ] || fail "setup.exe /S /CurrentUser exited $rc"
for program in "${programs[@]}" uninstall.exe; do
  [ -f "$user/$program" ] || fail "not installed for the user: $program"
done
wine64 reg query "HKCU\\$uninstall_key" /v InstallLocation >/dev/null 2>&1 ||
  fail "no uninstall entry under HKCU"

echo "== Silent uninstalls"
# The user's last inputs, as the calculator keeps them.
wine64 reg add "$settings_key" /v Weight /d 70,5 /f >/dev/null
# The uninstaller runs from a copy of itself in the temporary folder and returns at once: done
# when that copy has ended.
uninstall() {  # UNINSTALL.EXE OPTIONS...
  wine64 "$@" || fail "$* exited $?"
  local i
  for i in $(seq 300); do
    wine64 winedbg --command "info proc" 2>/dev/null | grep -q "'Un.exe'" || return 0
    sleep 0.1
  done
  fail "the uninstaller $1 did not end"
}
uninstall "$machine/uninstall.exe" /S
[ ! -e "$machine" ] || fail "left behind in Program Files: $(cd "$machine" && find . -mindepth 1)"
! wine64 reg query "HKLM\\$uninstall_key" >/dev/null 2>&1 || fail "the HKLM uninstall entry stays"
wine64 reg query "$settings_key" /v Weight >/dev/null 2>&1 ||
  fail "uninstalling without /REMOVESETTINGS removed the user's settings"
uninstall "$user/uninstall.exe" /S /REMOVESETTINGS
[ ! -e "$user" ] || fail "left behind for the user: $(cd "$user" && find . -mindepth 1)"
! wine64 reg query "$settings_key" >/dev/null 2>&1 || fail "/REMOVESETTINGS left the settings"

# What stays until Windows starts again is the uninstaller's copy of itself: it asked to be
# deleted then.
wine64 wineboot -r >/dev/null 2>&1
files >"$work/files-after"
# The user's programs folder is Windows' own (FOLDERID_UserProgramFiles): it stays.
left=$(comm -13 "$work/files-before" "$work/files-after" | grep -v '^\./users/[^/]*/AppData/Local/Programs$' || true)
[ -z "$left" ] || fail "files left behind after both uninstalls: $left"
for hive in HKLM HKCU; do
  wine64 reg export "$hive" "$work/$hive.reg" /y >/dev/null
  if iconv -f UTF-16 -t UTF-8 "$work/$hive.reg" | grep -i corpometer >"$work/$hive-left"; then
    fail "registry entries left in $hive: $(head -n 5 "$work/$hive-left")"
  fi
done

echo "== Windows packages: $((SECONDS - started)) s, $([ "$status" -eq 0 ] && echo passed || echo FAILED)"
exit $status
