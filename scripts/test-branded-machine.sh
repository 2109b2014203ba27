#!/usr/bin/env bash
# Runs the widget, desktop and real-window tests once more as on a machine where Corpometer is
# branded for everyone and the user has used it: an animated banner with a link in the
# machine's configuration folder, and the user's own branding and saved inputs in the home
# folder. Every test has folders of its own (tests/support/isolated-env.sh), so the results
# must be the same as without them. The planted folders are those the program reads by
# default ($XDG_CONFIG_DIRS, $HOME/.config); in CI, as root, the branding also goes into
# /etc/xdg/corpometer/ itself (only when nothing is there) and is removed afterwards.
# Usage: bash scripts/test-branded-machine.sh    (BUILD_DIR=... picks the build; default build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
brand=$build/tools/corpometer-brand
[ -x "$brand" ] || { echo "error: no $brand; build first (bash scripts/build.sh)" >&2; exit 2; }

planted=$(mktemp -d)
etc_branding=""
cleanup() {
  rm -rf "$planted"
  [ -z "$etc_branding" ] || rm -rf "$etc_branding"
}
trap cleanup EXIT

# A branding that changes what a test would see: another name line, a link, and an animated
# banner that covers the name line and could take the keyboard focus.
plant_branding() {  # FOLDER NAME
  mkdir -p "$1"
  convert -size 375x60 xc:'#00FF00' xc:'#FF00FF' -set delay 10 -loop 0 "$1/banner.gif"
  "$brand" write "$1/3.dat" --name-text "$2" --title "Planted Title" \
    --link https://planted.example/ --banner-file banner.gif --animated-banner >/dev/null
}
plant_branding "$planted/xdg/corpometer" "Machine-wide Branding"
plant_branding "$planted/home/.config/corpometer" "The User's Branding"
cat >"$planted/home/.config/Corpometer.ini" <<'INI'
[Settings]
Weight=321
Height=3
INI
if [ "${CI:-}" = true ] && [ "$(id -u)" = 0 ] && [ ! -e /etc/xdg/corpometer ]; then
  etc_branding=/etc/xdg/corpometer
  plant_branding "$etc_branding" "Machine-wide Branding"
  echo "planted $etc_branding/3.dat (removed afterwards)"
fi

echo "planted: $planted/xdg/corpometer/3.dat, $planted/home/.config/corpometer/3.dat," \
  "$planted/home/.config/Corpometer.ini"
# The fresh-clone test builds and starts no window: left out.
HOME=$planted/home XDG_CONFIG_HOME=$planted/home/.config XDG_CONFIG_DIRS=$planted/xdg \
  ctest --test-dir "$build" -L 'qt|desktop|e2e' -E '^e2e_fresh_clone$' --output-on-failure \
  --parallel "$(nproc)" --timeout 600
