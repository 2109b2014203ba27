#!/usr/bin/env bash
# The real corpometer as a screen reader meets it (run under lib/with-xvfb.sh or
# lib/with-weston.sh, inside lib/with-atspi.sh): its controls are named in the accessibility
# tree, "Calculate BMI" pressed through AT-SPI's action interface calculates, the result
# label announces "21.33, Normal" (each time), and the screen shows the result. Under
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

# Debian's python3: python3-pyatspi belongs to it, not to another python on PATH.
/usr/bin/python3 "$here/atspi_drive.py" calculate "21.33, Normal" 30 ||
  e2e_fail "no calculation through AT-SPI"
# The default inputs, 140 lbs at 5' 8": normal, in green.
e2e_wait_for 20 "the normal result on screen" result_shows 0,128,0
e2e_screenshot "$out/calculated.png"
echo "calculated through AT-SPI; screenshots in $out"
