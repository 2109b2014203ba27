#!/usr/bin/env bash
# The Windows installer under Wine, in a fresh prefix of its own, in a real X server (run
# under tests/e2e/lib/with-xvfb.sh by scripts/test-windows-installer.sh), silently as an
# administrator's deployment runs it:
#   - a branding folder without 3.dat is refused (status 2) and nothing is installed;
#   - /S /AllUsers installs for every user: the programs in Program Files, the Start menu
#     shortcut to corpometer.exe, the uninstall entry; the installed window shows;
#   - /S /BRANDING=FOLDER installs its 3.dat and banner: the installed window shows the
#     company line, the title and the banner;
#   - /S /CurrentUser installs for the user alone;
#   - the silent uninstalls remove both installations, keep the user's settings unless
#     /REMOVESETTINGS is given, and leave no file or registry key of either once Windows has
#     started again.
# Read through Win32 by the probe (tests/win32/probe.cpp); screenshots in the artefacts.
#
#   windows_install.sh SETUP.EXE WINDOWS-BUILD SOURCE-ROOT
set -euo pipefail
setup=$1 windows=$2 root=$3
source "$root/tests/e2e/lib/e2e.sh"
probe_exe=$windows/tests/win32/corpometer-probe.exe
work=$(mktemp -d)
# Wine writes a host menu entry and icons for every Start menu shortcut: not here, and
# nothing into the real home either.
export WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
mkdir -p "$HOME"
export PATH=/usr/lib/wine:$PATH LC_ALL=C.UTF-8
mkdir -p "$WINEPREFIX"
# One server for everything below, with this X server for the session's desktop.
wineserver -p
trap 'e2e_stop_programs; wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
wine_started=$SECONDS
wine64 wineboot --init >/dev/null 2>&1
echo "Wine ready in $((SECONDS - wine_started)) s"
drive=$WINEPREFIX/drive_c
# Everything but Windows' own folder, where Wine keeps what it makes as programs run.
files() { (cd "$drive" && find . -path ./windows -prune -o -print | LC_ALL=C sort); }
files >"$work/files-before"

machine=$drive/Program\ Files/Corpometer
user=$drive/users/$(id -un)/AppData/Local/Programs/Corpometer
shortcut=$drive/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Corpometer.lnk
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Corpometer'
settings_key='HKCU\Software\Corpometer\Settings'
programs=(corpometer.exe corpogif.exe corpometer-brand.exe uninstall.exe)

windows_path() { echo "Z:${1//\//\\}"; }
run_setup() {  # OPTIONS...: the installer's exit status
  wine64 "$setup" "$@" && echo 0 || echo $?
}
probe() { wine64 "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
control() {  # CLASS TEXT-PATTERN: the first matching line of `probe children`
  probe children | awk -F'\t' -v class="$1" -v pattern="$2" \
    'tolower($2) == tolower(class) && $5 ~ pattern { print; exit }'
}
window_id() { xdotool search --name '^Corpometer$' 2>/dev/null | head -n 1 || true; }
has_window() { [ -n "$(window_id)" ]; }
window_area() {  # the main window's rectangle on the screen, as WxH+X+Y
  probe windows | awk -F'\t' '$1 == "CorpometerMainWindow" { split($3, r, ",");
    printf "%dx%d+%d+%d\n", r[3] - r[1], r[4] - r[2], r[1], r[2]; exit }'
}
window_up() { probe children >/dev/null; }
start() {  # NAME EXE: starts an installed program and waits for its window
  e2e_start "$1" wine64 "$2"
  e2e_wait_for 60 "the window of the installed corpometer.exe ($1)" window_up
  e2e_wait_for 20 "its X window ($1)" has_window
}
stop() {  # closes the window by keys and waits for the program to end
  xdotool windowfocus --sync "$(window_id)" key alt+F4
  e2e_wait_for 20 "the program to end" bash -c "! kill -0 $E2E_PID 2>/dev/null"
}
# The number of pixels of COLOUR in a picture.
count() { convert "$1" -fill white -opaque "$2" -fill black +opaque white \
  -format '%[fx:round(mean*w*h)]' info:; }

# Fonts the window asks for, by their free twins (real Windows has them).
wine64 regedit /S "$(windows_path "$root/tests/win32/font-replacements.reg")" >/dev/null 2>&1

echo "-- an administrator's mistake costs nothing: a branding folder without 3.dat"
mkdir -p "$work/no-branding"
rc=$(run_setup /S "/BRANDING=$(windows_path "$work/no-branding")")
[ "$rc" = 2 ] || e2e_fail "/BRANDING of a folder without 3.dat: exit status $rc, not 2"
[ ! -e "$machine" ] || e2e_fail "/BRANDING of a folder without 3.dat installed something"

echo "-- /S /AllUsers: for every user"
rc=$(run_setup /S /AllUsers)
[ "$rc" = 0 ] || e2e_fail "setup.exe /S /AllUsers exited $rc"
for program in "${programs[@]}"; do
  [ -f "$machine/$program" ] || e2e_fail "not installed: Program Files\\Corpometer\\$program"
done
wine64 reg query "HKLM\\$uninstall_key" | tr -d '\r' >"$out/uninstall-entry.txt" ||
  e2e_fail "no uninstall entry under HKLM"
for value in "DisplayName    REG_SZ    Corpometer" "DisplayVersion    REG_SZ    1.0.0" \
  "Publisher    REG_SZ    The Corpometer developers" \
  "DisplayIcon    REG_SZ    C:\\Program Files\\Corpometer\\corpometer.exe,0" \
  "QuietUninstallString    REG_SZ    \"C:\\Program Files\\Corpometer\\uninstall.exe\" /S"; do
  grep -qF "$value" "$out/uninstall-entry.txt" || e2e_fail "the uninstall entry lacks: $value"
done
# The size "Apps & features" shows, in KB: what the folder holds.
size=$(sed -n 's/.*EstimatedSize    REG_DWORD    \(0x[0-9a-f]*\)$/\1/p' "$out/uninstall-entry.txt")
folder_kb=$(du -sk "$machine" | cut -f1)
[ -n "$size" ] && [ $((size)) -ge $((folder_kb * 9 / 10)) ] ||
  e2e_fail "EstimatedSize ${size:-missing} for a folder of $folder_kb KB"
grep -qaF 'C:\Program Files\Corpometer\corpometer.exe' "$shortcut" 2>/dev/null ||
  e2e_fail "no Start menu shortcut to C:\\Program Files\\Corpometer\\corpometer.exe"
start installed "$machine/corpometer.exe"
e2e_screenshot "$out/installed-window.png" "$(window_area)"
# Painted: the branding strip's dark blue in the top-left corner.
IFS=, read -r r g b <<<"$(e2e_pixel "$out/installed-window.png" 3 3)"
[ "$r" -lt 60 ] && [ "$b" -gt "$r" ] || e2e_fail "the installed window is not painted ($r,$g,$b)"
stop

echo "-- /S /BRANDING=FOLDER: 3.dat and its banner beside the programs"
brand="$work/acme branding"  # a folder name with a space, as on a share
mkdir -p "$brand/art"
convert -size 375x60 xc:'#FF00FF' "$brand/art/banner.gif"
wine64 "$machine/corpometer-brand.exe" write "$(windows_path "$brand/3.dat")" \
  --name-text "ACME Health" --title "ACME BMI" --banner-file 'art\banner.gif' \
  --animated-banner --seed 7 >/dev/null
rc=$(run_setup /S "/BRANDING=$(windows_path "$brand")")
[ "$rc" = 0 ] || e2e_fail "setup.exe /S /BRANDING exited $rc"
cmp -s "$brand/3.dat" "$machine/3.dat" || e2e_fail "3.dat is not installed beside the programs"
cmp -s "$brand/art/banner.gif" "$machine/art/banner.gif" || e2e_fail "the banner is not installed"
start branded "$machine/corpometer.exe"
control static '^ACME BMI$' >/dev/null || e2e_fail "the title line is not the branding's"
control corpometergifviewer '^ACME Health$' | grep -q $'\t1\t' ||
  e2e_fail "the banner with the company line is not shown: $(control corpometergifviewer .)"
e2e_screenshot "$out/branded-window.png" "$(window_area)"
magenta=$(count "$out/branded-window.png" '#FF00FF')
[ "$magenta" -ge 20000 ] || e2e_fail "the branded window shows $magenta pixels of the banner"
stop

echo "-- /S /CurrentUser: for the user alone"
rc=$(run_setup /S /CurrentUser)
[ "$rc" = 0 ] || e2e_fail "setup.exe /S /CurrentUser exited $rc"
for program in "${programs[@]}"; do
  [ -f "$user/$program" ] || e2e_fail "not installed for the user: $program"
done
wine64 reg query "HKCU\\$uninstall_key" /v InstallLocation >/dev/null 2>&1 ||
  e2e_fail "no uninstall entry under HKCU"

echo "-- silent uninstalls"
# The user's last inputs, as the calculator keeps them.
wine64 reg add "$settings_key" /v Weight /d 70,5 /f >/dev/null
# The uninstaller runs from a copy of itself in the temporary folder and returns at once: it
# is done when that copy has ended.
uninstaller_ended() { ! wine64 winedbg --command "info proc" 2>/dev/null | grep -q "'Un.exe'"; }
uninstall() {  # UNINSTALL.EXE OPTIONS...
  wine64 "$@" || e2e_fail "$* exited $?"
  e2e_wait_for 60 "the uninstaller to end" uninstaller_ended
}
uninstall "$machine/uninstall.exe" /S
[ ! -e "$machine" ] || e2e_fail "left in Program Files: $(cd "$machine" && find . -mindepth 1)"
[ ! -e "$shortcut" ] || e2e_fail "the Start menu shortcut stays"
! wine64 reg query "HKLM\\$uninstall_key" >/dev/null 2>&1 || e2e_fail "the HKLM uninstall entry stays"
wine64 reg query "$settings_key" /v Weight >/dev/null 2>&1 ||
  e2e_fail "uninstalling without /REMOVESETTINGS removed the user's settings"
uninstall "$user/uninstall.exe" /S /REMOVESETTINGS
[ ! -e "$user" ] || e2e_fail "left for the user: $(cd "$user" && find . -mindepth 1)"
! wine64 reg query "HKCU\\$uninstall_key" >/dev/null 2>&1 || e2e_fail "the HKCU uninstall entry stays"
! wine64 reg query "$settings_key" >/dev/null 2>&1 || e2e_fail "/REMOVESETTINGS left the settings"

# The uninstaller's copy of itself asked to be deleted when Windows starts again.
wine64 wineboot -r >/dev/null 2>&1
files >"$work/files-after"
# The user's programs folder is Windows' own (FOLDERID_UserProgramFiles): it stays.
left=$(comm -13 "$work/files-before" "$work/files-after" |
  grep -v '^\./users/[^/]*/AppData/Local/Programs$' || true)
[ -z "$left" ] || e2e_fail "files left after both uninstalls: $left"
for hive in HKLM HKCU; do
  wine64 reg export "$hive" "$work/$hive.reg" /y >/dev/null
  if iconv -f UTF-16 -t UTF-8 "$work/$hive.reg" | grep -i corpometer >"$out/$hive-left.txt"; then
    e2e_fail "registry entries left in $hive: $(head -n 5 "$out/$hive-left.txt")"
  fi
done
echo "PASS"
