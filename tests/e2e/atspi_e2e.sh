#!/usr/bin/env bash
# The real corpometer as a screen reader meets it (run under lib/with-xvfb.sh or
# lib/with-weston.sh, inside lib/with-atspi.sh): its controls are named in the accessibility
# tree, each once and named as a person names it, before and after a calculation; "Calculate
# BMI" pressed through AT-SPI's action interface calculates, the result label announces
# "21.33, Normal" (each time), and the screen shows the result. Under
# Wayland the picture buttons must also show exactly their pictures.
# Usage: atspi_e2e.sh CORPOMETER PICTURES-FOLDER
set -euo pipefail
exe=$1
pictures=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/e2e.sh"
source "$here/window_checks.sh"

e2e_private_home
# Qt talks to the accessibility bus only when asked to or when a desktop says so.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

start_corpometer "$exe"
e2e_screenshot "$out/started.png"
if [ -n "${WAYLAND_DISPLAY:-}" ]; then
  buttons_at_rest || e2e_fail "the picture buttons do not show their pictures under Wayland"
fi

# What a screen reader reads of the window, top to bottom, before and after a calculation:
# each thing once, named as a person names it; nothing empty, nothing twice.
cat > "$HOME/before.txt" <<'EOF'
filler	Corpometer
label	Corpometer
push button	Menu
push button	Minimize
push button	Close
panel	Weight
text	Enter Weight
label	Lbs
radio button	Pounds
radio button	Kilograms
panel	Height
list	Select Height
radio button	Feet/Inches
radio button	Centimeters
panel	Your BMI
push button	Calculate BMI
label	Your BMI is:
label	Underweight
label	Normal
label	Overweight
label	Obese
label	Extreme
label	(Your company name & link or small banner here)
EOF
sed '/^label\tYour BMI is:$/a label\t21.33, Normal\nlabel\tWeight for 22.5 BMI : 147.68 lbs' \
  "$HOME/before.txt" > "$HOME/after.txt"

# Debian's python3: python3-pyatspi belongs to it, not to another python on PATH.
/usr/bin/python3 "$here/atspi_drive.py" heard "$HOME/before.txt" 30 ||
  e2e_fail "the window is not heard as it should be before a calculation"
/usr/bin/python3 "$here/atspi_drive.py" calculate "21.33, Normal" 30 ||
  e2e_fail "no calculation through AT-SPI"
/usr/bin/python3 "$here/atspi_drive.py" heard "$HOME/after.txt" 30 ||
  e2e_fail "the window is not heard as it should be after a calculation"
# The default inputs, 140 lbs at 5' 8": normal, in green.
e2e_wait_for 20 "the normal result on screen" result_shows 0,128,0
e2e_screenshot "$out/calculated.png"
echo "calculated through AT-SPI; screenshots in $out"
