#!/usr/bin/env bash
# The real corpometer in a user's language (run under lib/with-xvfb.sh, inside
# lib/with-atspi.sh). Started once in English and once under ENVIRONMENT (locale variables; a
# locale the machine need not have generated), it is read as a screen reader reads it: at least
# 80% of the window's own texts (every object's name but the height rows, the window's title
# and the branding's texts) must differ from the English ones, place by place, and the
# branding's texts must stay as the company wrote them. Enter in the weight box then
# calculates the default inputs, 140 lbs at 5' 8": the result is read as RESULT, and every
# number the window then shows has RESULT's decimal mark. Under the same ENVIRONMENT
# corpometer --help begins with the word USAGE: the help speaks the window's language. A
# screenshot of the window after the calculation is kept as calculated-NAME.png.
# Usage: language_e2e.sh NAME ENVIRONMENT RESULT USAGE CORPOMETER CORPOMETER-BRAND PICTURES-FOLDER
set -euo pipefail
name=$1
environment=$2
result=$3
usage=$4
exe=$5
brand=$6
pictures=$7
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/e2e.sh"
source "$here/window_checks.sh"
language=$name
unset LANGUAGE LC_ALL LC_MESSAGES LC_NUMERIC

e2e_private_home
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
mkdir -p "$XDG_CONFIG_HOME/corpometer"
"$brand" write "$XDG_CONFIG_HOME/corpometer/3.dat" --name-text "ACME Health" --title "ACME BMI"

# The tree as a screen reader lists it, once the four picture buttons are in it.
read_texts() {  # FILE
  /usr/bin/python3 "$here/atspi_drive.py" texts 4 30 >"$1" || e2e_fail "no accessibility tree"
}

LANG=C.UTF-8 start_corpometer "$exe"
read_texts "$out/texts-en.txt"
kill "$E2E_PID" && wait "$E2E_PID" || true

# shellcheck disable=SC2086
export $environment
first=$("$exe" --help | head -n1 | cut -d' ' -f1)
[ "$first" = "$usage" ] || e2e_fail "under $environment --help begins '$first', not '$usage'"
start_corpometer "$exe"
read_texts "$out/texts-$language.txt"
/usr/bin/python3 - "$out/texts-en.txt" "$out/texts-$language.txt" <<'EOF' || e2e_fail "texts not translated"
import sys
branding = {"ACME Health", "ACME BMI"}
def own(path):
    rows = [line.rstrip("\n").split("\t", 1) for line in open(path, encoding="utf-8")]
    return [(role, name) for role, name in rows if role not in ("application", "filler")]
english, translated = own(sys.argv[1]), own(sys.argv[2])
if [role for role, _ in english] != [role for role, _ in translated]:
    sys.exit("the two trees differ in shape:\n%s\n%s" % (english, translated))
pairs = [(e, t) for (_, e), (_, t) in zip(english, translated) if e and e not in branding]
same = [e for e, t in pairs if e == t]
print("%d of the window's %d texts translated; the same as in English: %s"
      % (len(pairs) - len(same), len(pairs), same))
if len(same) > 0.2 * len(pairs):
    sys.exit("fewer than 80% translated")
names = {name for _, name in translated}
if not branding <= names:
    sys.exit("the branding's texts changed: %s" % (branding - names))
EOF

# The weight box has the focus at start: Enter in it calculates.
wid=$(xdotool search --onlyvisible --name '^Corpometer$' | head -n1)
xdotool windowfocus --sync "$wid" key Return
e2e_wait_for 20 "the normal result on screen" result_shows 0,128,0
announced() {
  /usr/bin/python3 "$here/atspi_drive.py" texts 4 10 >"$HOME/after.txt" &&
    grep -q "^label	$result, " "$HOME/after.txt"
}
e2e_wait_for 20 "the result read as $result" announced
# One number format in the window: every decimal mark shown is the result's.
mark=${result//[0-9]/}
marks=$(cut -f2 "$HOME/after.txt" | grep -o '[0-9][.,][0-9]' | cut -c2 | sort -u | tr -d '\n')
[ "$marks" = "$mark" ] || e2e_fail "decimal marks '$marks' shown, not '$mark' alone: $(cat "$HOME/after.txt")"
e2e_screenshot "$out/calculated-$language.png" "488x405+$X+$Y"
echo "calculated in $language: $(grep "^label	$result, " "$HOME/after.txt" | cut -f2);" \
  "screenshot in $out/calculated-$language.png"
