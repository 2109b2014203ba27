#!/usr/bin/env bash
# corpometer.exe under Wine in a real X server (run under tests/e2e/lib/with-xvfb.sh, with
# WINEPREFIX and a running wineserver from scripts/test-windows.sh), driven by keys alone and
# read through Win32 by the probe (tests/win32/probe.cpp):
#   - "70,5" kg at 175 cm gives 23.02 and its band's name; a restart shows the same inputs
#     from the registry and gives the same answer; 150 lb at 5' 9" gives 22.2; "80kg" in
#     pounds gives the weight message and no result;
#   - the popup menu, Quick Help and About open and close by keys;
#   - every control's rectangle is the layout table's at 100% and exactly twice it at 200%;
#   - a branded start: the name and title lines from 3.dat, an animated banner whose picture
#     changes, and a click on it reaching the opener (a stand-in xdg-open on PATH);
#   - `--screenshot FILE.png` draws the window without showing it.
# Screenshots of the Windows window and of the Linux one with the same inputs are kept in
# the artefacts folder (windows-result.png, linux-result.png, side-by-side.png).
#
#   window_under_wine.sh WINDOWS-BUILD LINUX-BUILD SOURCE-ROOT
set -euo pipefail
windows=$1 linux=$2 root=$3
source "$root/tests/e2e/lib/e2e.sh"
exe=$windows/app/corpometer.exe
probe_exe=$windows/tests/win32/corpometer-probe.exe
work=$(mktemp -d)
# Wine's desktop is made with a session, for the display the session began with: the stage's
# server runs without one, so this test runs a session of its own, with this X server.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p
trap 'rm -rf "$work"; wineserver -k 2>/dev/null || true' EXIT
settings='HKCU\Software\Corpometer\Settings'

# The locale the Wine programs run in (the window and the probe alike).
wine_locale=${LC_ALL:-C.UTF-8}
probe() { env LC_ALL="$wine_locale" wine64 "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
# The text of the main window's control with the command identifier ID (labels have 0: the
# n-th of them instead, counted from 1 in the window's order).
control() {  # CLASS TEXT-PATTERN: the first matching line of `probe children`
  probe children | awk -F'\t' -v class="$1" -v pattern="$2" \
    'tolower($2) == tolower(class) && $5 ~ pattern { print; exit }'
}
wait_for() {  # SECONDS DESCRIPTION COMMAND...: until the command succeeds
  local seconds=$1 what=$2
  shift 2
  local until=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -lt $until ] || e2e_fail "waited ${seconds}s for $what"
    sleep 0.2
  done
}
window_id() { xdotool search --onlyvisible --name '^Corpometer$' 2>/dev/null | head -n 1 || true; }
start() {  # NAME [EXE]: starts the program and focuses its window
  e2e_start "$1" env LC_ALL="$wine_locale" wine64 "${2:-$exe}"
  wait_for 60 "the window of $1" probe children >/dev/null
  wait_for 20 "the X window of $1" has_window
  xdotool windowfocus --sync "$(window_id)"
}
keys() { xdotool key --delay 40 "$@"; }
stop() {  # closes the window by keys and waits for the program to end
  keys alt+F4
  wait_for 20 "the program to end" bash -c "! kill -0 $E2E_PID 2>/dev/null"
}
result_text() { control static '^[0-9.,]+, ' | cut -f5; }
has_result() { [ -n "$(result_text)" ]; }
has_window() { [ -n "$(window_id)" ]; }
shown() { probe windows | cut -f1,2; }
window_area() {  # the main window's rectangle on the screen, as WxH+X+Y
  probe windows | awk -F'\t' '$1 == "CorpometerMainWindow" { split($3, r, ",");
    printf "%dx%d+%d+%d\n", r[3] - r[1], r[4] - r[2], r[1], r[2]; exit }'
}
down() { local n=$1 k=(); for ((i = 0; i < n; i++)); do k+=(Down); done; keys Home "${k[@]}"; }
import_reg() {  # FILE: into the registry (Wine sees the Unix root as drive Z:)
  wine64 regedit /S "Z:${1//\//\\}" >/dev/null 2>&1
}
dots_per_inch() {  # N: the screen's density from the next start on
  printf 'REGEDIT4\n\n[HKEY_CURRENT_CONFIG\\Software\\Fonts]\n"LogPixels"=dword:%08x\n' "$1" \
    >"$work/dpi.reg"
  import_reg "$work/dpi.reg"
}

# Fonts the program asks for, by their free twins (real Windows has them), a screen of 96
# dots per inch, and no inputs saved before.
import_reg "$root/tests/win32/font-replacements.reg"
dots_per_inch 96
wine64 reg delete 'HKCU\Software\Corpometer' /f >/dev/null 2>&1 || true

echo "-- 70,5 kg at 175 cm, by keys"
start first
keys 7 0 comma 5 Tab Right Tab Tab Right shift+Tab  # the weight, Kilograms, Centimeters, the list
down 54                                               # 121 cm + 54
keys Return
wait_for 10 "a result" has_result
[ "$(result_text)" = "23.02, Normal" ] || e2e_fail "70,5 kg at 175 cm reads '$(result_text)'"
control static '^Normal$' >/dev/null || e2e_fail "no band name under the result"
e2e_screenshot "$out/windows-result.png" "$(window_area)"
probe children >"$out/children-100.txt"

echo "-- the bare strip at the top drags the window"
read -r _ _ x0 y0 < <(window_area | tr 'x+' '  ')
xdotool mousemove $((x0 + 200)) $((y0 + 74)) mousedown 1
xdotool mousemove $((x0 + 230)) $((y0 + 94)) sleep 0.1 mousemove $((x0 + 260)) $((y0 + 114))
xdotool mouseup 1
moved() { [ "$(window_area)" = "$(window_area_was_moved)" ]; }
window_area_was_moved() { echo "488x405+$((x0 + 60))+$((y0 + 40))"; }
wait_for 10 "the window to follow the mouse" moved
stop

echo "-- restart: the inputs and the answer again, from the registry"
wine64 reg query "$settings" | tr -d '\r' >"$out/registry.txt"
grep -q 'Weight.*REG_SZ.*70,5' "$out/registry.txt" || e2e_fail "no weight in the registry"
start restart
control edit . | grep -q $'\t70,5\t' || e2e_fail "the weight box does not read 70,5 after a restart"
control button '^Kilograms$' | grep -q $'\t1$' || e2e_fail "Kilograms is not chosen after a restart"
control listbox '' | grep -q $'\t175 cm$' || e2e_fail "175 cm is not selected after a restart"
keys Return
wait_for 10 "a result after the restart" has_result
[ "$(result_text)" = "23.02, Normal" ] || e2e_fail "after a restart: '$(result_text)'"

echo "-- 150 lb at 5' 9\""
keys 1 5 0 Tab Left Tab Tab Left shift+Tab  # the weight, Pounds, Feet/Inches, the list
down 21                                              # 4' + 21 inches
keys Return
wait_for 10 "a result" has_result
case "$(result_text)" in "22.2, "*) ;; *) e2e_fail "150 lb at 5' 9\" reads '$(result_text)'" ;; esac

echo "-- \"80kg\" in pounds: the weight message, no result"
keys shift+Tab shift+Tab 8 0 k g Return
wait_for 10 "the message box" bash -c "wine64 '$probe_exe' windows 2>/dev/null | tr -d '\r' |
  grep -q 'Please specify weight'"
[ -z "$(result_text)" ] || e2e_fail "a result is shown beside the message: $(result_text)"
keys Return
wait_for 10 "the message box to close" bash -c "! wine64 '$probe_exe' windows 2>/dev/null |
  grep -q '^#32770'"

echo "-- the popup menu, Quick Help and About, by keys"
# From the weight box: the options, the list, the options, Calculate, then the menu button.
keys Tab Tab Tab Tab Tab
probe focus | grep -q $'\tMenu$' || e2e_fail "Tab does not reach the menu button: $(probe focus)"
keys Return
wait_for 10 "the popup menu" bash -c "wine64 '$probe_exe' windows 2>/dev/null | grep -q '^#32768'"
e2e_screenshot "$out/windows-menu.png"
keys Down Return
wait_for 10 "Quick Help" bash -c "wine64 '$probe_exe' windows 2>/dev/null | grep -q 'Quick Help'"
probe windows | grep -q 'is very easy to use' || e2e_fail "Quick Help has no help text"
keys Escape
wait_for 10 "Quick Help to close" bash -c "! wine64 '$probe_exe' windows 2>/dev/null |
  grep -q 'Quick Help'"
xdotool windowfocus --sync "$(window_id)"
keys Return Down Down Return
wait_for 10 "About" bash -c "wine64 '$probe_exe' windows 2>/dev/null | grep -q 'About Corpometer'"
probe windows | grep -q 'Version 1\.0\.0' || e2e_fail "About shows no version line"
e2e_screenshot "$out/windows-about.png"
keys Escape
wait_for 10 "About to close" bash -c "! wine64 '$probe_exe' windows 2>/dev/null |
  grep -q 'About Corpometer'"
stop

echo "-- in German, chosen from the interface language: the texts and the number format; Space"
# A German user. Wine takes the regional formats from the locale each of its programs starts
# in and writes them to the registry, where every other program of the session reads them:
# the probe runs in the same locale as the program meanwhile.
wine_locale=de_DE.UTF-8
start german
control static '^Ihr BMI ist:$' >/dev/null || e2e_fail "the result panel's caption is not German"
control static '^\(Ihr Firmenname' >/dev/null ||
  e2e_fail "the unbranded name line is not German: $(control static 'company|Firma')"
# The legend's longer German words leave at least 4 pixels before the next swatch and the
# window's edge: the statics along the legend's row, left to right, swatch then words.
probe children | awk -F'\t' 'tolower($2) == "static" && $3 == 1 {
    split($4, r, ","); if (r[2] >= 360 && r[2] <= 380) print r[1], r[3], ($5 ~ /^ = /) }' |
  sort -n | awk -v edge="$(( ($(sed -n 's/.*kClientWidth = \([0-9]*\);.*/\1/p' \
    "$root/app/core/MainWindowLayout.h") + 7) / 15 ))" '
    words && $1 < right + 4 { bad = 1 }
    { words = $3; right = $2; n++ }
    END { exit (n != 10 || (words && right + 4 > edge) || bad) }' ||
  e2e_fail "the German legend's words run into the next swatch: $(probe children | grep -a ' = ')"
# Space on the Calculate button, reached by Tab: the options, the list, the options, the button.
keys Tab Tab Tab Tab
probe focus | grep -q $'\tBMI berechnen$' || e2e_fail "Tab does not reach Calculate: $(probe focus)"
keys space
wait_for 10 "a result in German" has_result
[ "$(result_text)" = "22,2, Normalgewicht" ] || e2e_fail "in German, 150 lb at 5' 9\" reads '$(result_text)'"
e2e_screenshot "$out/windows-german.png" "$(window_area)"
stop
wine_locale=${LC_ALL:-C.UTF-8}

echo "-- the layout table at 100% and at 200%"
# The table as written (twips, 15 to a pixel), read from its header; controls in a panel
# are placed inside it.
table=$root/app/core/MainWindowLayout.h
twips() {  # NAME: left top width height in twips
  sed -n "s/.*Rectangle $1{\([0-9, ]*\)}.*/\1/p" "$table" | tr -d ' ' | tr ',' ' '
}
px() { echo $((($1 + 7) / 15)); }
expect() {  # NAME [PANEL]: "left,top,right,bottom" at 100%
  read -r l t w h < <(twips "$1")
  local pl=0 pt=0
  [ -z "${2:-}" ] || read -r pl pt _ _ < <(twips "$2")
  local left=$(($(px "$pl") + $(px "$l"))) top=$(($(px "$pt") + $(px "$t")))
  echo "$left,$top,$((left + $(px "$w"))),$((top + $(px "$h")))"
}
rect_of() {  # FILE CLASS TEXT-PATTERN
  awk -F'\t' -v class="$2" -v pattern="$3" \
    'tolower($2) == tolower(class) && $5 ~ pattern { print $4; exit }' "$1"
}
check_layout() {  # FILE FACTOR
  local file=$1 factor=$2 failed=0
  while read -r class pattern name panel; do
    local want got
    want=$(expect "$name" "$panel" | awk -F, -v f="$factor" '{ print $1*f "," $2*f "," $3*f "," $4*f }')
    got=$(rect_of "$file" "$class" "$pattern")
    if [ "$want" != "$got" ]; then
      echo "FAIL: at ${factor}x, $name is at ${got:-nowhere}, not $want" >&2
      failed=1
    fi
  done <<'EOF'
edit ^ kWeightEdit kWeightPanel
button ^Pounds$ kPoundsOption kWeightPanel
button ^Kilograms$ kKilogramsOption kWeightPanel
listbox ^ kHeightList kHeightPanel
button ^Feet/Inches$ kFeetInchesOption kHeightPanel
button ^Centimeters$ kCentimetresOption kHeightPanel
button ^Calculate kCalculateButton kResultPanel
static ^Select kHeightCaption kHeightPanel
button ^Weight$ kWeightPanel
button ^Your.BMI$ kResultPanel
static ^Corpometer$ kBrandTitle
EOF
  return $failed
}
check_layout "$out/children-100.txt" 1 || e2e_fail "the window at 100% is not the layout table's"
dots_per_inch 192
start double
probe children >"$out/children-200.txt"
e2e_screenshot "$out/windows-200.png" "$(window_area)"
stop
dots_per_inch 96
check_layout "$out/children-200.txt" 2 || e2e_fail "the window at 200% is not twice the table"

echo "-- a branded start with an animated banner"
brand=$work/branded
mkdir -p "$brand" "$work/bin"
cp "$exe" "$brand/"
# Two frames of different colours, looping, shown for unequal times (13 and 29 hundredths of
# a second), so that screenshots taken at any steady pace catch both.
convert -size 375x60 -delay 13 xc:'#c03030' -delay 29 xc:'#3030c0' -loop 0 "$brand/banner.gif"
"$linux/tools/corpometer-brand" write "$brand/3.dat" --name-text "ACME Health" \
  --title "Body Check" --link "https://acme.example/bmi" --banner-file banner.gif \
  --animated-banner >/dev/null
# Wine hands a web address to the host's xdg-open: this one writes down what it was given.
cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
echo "\$@" >>"$work/opened.txt"
EOF
chmod +x "$work/bin/xdg-open"
PATH=$work/bin:$PATH start branded "$brand/corpometer.exe"
control static '^Body Check$' >/dev/null || e2e_fail "the title line is not the branding's"
control corpometergifviewer '^ACME Health$' | grep -q $'\t1\t' ||
  e2e_fail "the animated banner is not shown: $(control corpometergifviewer .)"
read -r left top right bottom < <(control corpometergifviewer . | cut -f4 | tr ',' ' ')
read -r _ _ x0 y0 < <(window_area | tr 'x+' '  ')
banner="$((right - left))x$((bottom - top))+$((x0 + left))+$((y0 + top))"
e2e_screenshot "$out/banner-1.png" "$banner"
changed() {
  e2e_screenshot "$out/banner-2.png" "$banner"
  [ "$(compare -metric AE "$out/banner-1.png" "$out/banner-2.png" null: 2>&1 || true)" != 0 ]
}
wait_for 5 "the banner's picture to change" changed
e2e_screenshot "$out/windows-branded.png" "$(window_area)"
xdotool mousemove $((x0 + (left + right) / 2)) $((y0 + (top + bottom) / 2)) click 1
wait_for 20 "the link to reach xdg-open" grep -qs 'https://acme.example/bmi' "$work/opened.txt"
stop

echo "-- --screenshot draws the window without showing it"
(cd "$brand" && wine64 ./corpometer.exe --screenshot screenshot.png) ||
  e2e_fail "corpometer.exe --screenshot failed"
[ "$(identify -format %wx%h "$brand/screenshot.png")" = 488x405 ] ||
  e2e_fail "the screenshot is $(identify -format %wx%h "$brand/screenshot.png"), not 488x405"
cp "$brand/screenshot.png" "$out/windows-screenshot-option.png"
# The banner's first frame (red) over the name line.
[ "$(e2e_pixel "$brand/screenshot.png" 100 30)" = 192,48,48 ] ||
  e2e_fail "the screenshot shows no banner at its place: $(e2e_pixel "$brand/screenshot.png" 100 30)"

echo "-- the Linux window with the same inputs, for the pair of screenshots"
if [ -x "$linux/app/corpometer" ]; then
  mkdir -p "$work/home"
  HOME=$work/home XDG_CONFIG_HOME=$work/home/.config e2e_start linux "$linux/app/corpometer"
  # The Windows program has ended: the only window of that name is the Linux one.
  wait_for 30 "the Linux window" has_window
  lw=$(window_id)
  xdotool windowfocus --sync "$lw"
  keys 7 0 comma 5 Tab Right Tab Tab Right shift+Tab
  down 54
  import -window "$lw" "$out/linux-before.png"
  keys Return
  linux_shown() {
    import -window "$lw" "$out/linux-result.png"
    [ "$(compare -metric AE "$out/linux-before.png" "$out/linux-result.png" null: 2>&1 || true)" != 0 ]
  }
  wait_for 20 "the Linux window's result" linux_shown
  rm -f "$out/linux-before.png"
  convert "$out/windows-result.png" "$out/linux-result.png" +append "$out/side-by-side.png"
  kill "$E2E_PID"
else
  echo "(no Linux window built at $linux/app/corpometer: no pair of screenshots)"
fi
echo "The Windows window under Wine: every check passed; screenshots in $out"
