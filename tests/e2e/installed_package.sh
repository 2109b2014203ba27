#!/usr/bin/env bash
# The Debian package as a user gets it: made by scripts/package.sh from the finished build
# (lintian finds no error), unpacked with dpkg-deb -x into a temporary root and started from
# there (run under lib/with-xvfb.sh), with a branding file in a temporary
# $XDG_CONFIG_HOME/corpometer/ written by the package's own corpometer-brand. The window must
# show its artwork and the still banner named in that file, read from beside it.
# Usage: installed_package.sh SOURCE-DIR BUILD-DIR
set -euo pipefail
root=$1
build=$2
source "$(dirname "$0")/e2e_common.sh"
tmp=$(mktemp -d)
trap 'e2e_stop_programs; rm -rf "$tmp"' EXIT

PACKAGE_SKIP_BUILD=1 BUILD_DIR=$build bash "$root/scripts/package.sh" "$tmp/package" \
  >"$out/package.out.log" 2>&1 || e2e_fail "scripts/package.sh failed"
deb=$(tail -n 1 "$out/package.out.log")
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 fonts-liberation fonts-wine; do
  case "$depends" in *"$needed"*) ;; *) e2e_fail "the package does not depend on $needed: $depends" ;; esac
done
dpkg-deb -x "$deb" "$tmp/root"
installed=$tmp/root/usr/bin

# A magenta banner of the name line's size, beside a branding file in the user's folder.
brand_dir=$tmp/config/corpometer
mkdir -p "$brand_dir" "$tmp/home"
convert -size 375x60 xc:'#FF00FF' "$brand_dir/banner.png"
"$installed/corpometer-brand" write "$brand_dir/3.dat" --banner-file banner.png --picture-banner \
  >/dev/null || e2e_fail "the installed corpometer-brand could not write 3.dat"

HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_CONFIG_DIRS=$tmp/no-such-folder \
  e2e_start corpometer "$installed/corpometer"
wait_main_window 30
eval "$(xdotool getwindowgeometry --shell "$wid")"  # X, Y, WIDTH, HEIGHT

magenta_in_strip() {
  e2e_screenshot "$tmp/strip.png" "488x80+$X+$Y" || return 1
  local count
  count=$(convert "$tmp/strip.png" -fill white -opaque '#FF00FF' -fill black +opaque white \
    -format "%[fx:round(mean*w*h)]" info:)
  [ "$count" -ge 22500 ]
}
e2e_wait_for 30 "the banner named in \$XDG_CONFIG_HOME/corpometer/3.dat to show" magenta_in_strip
calculate_shows() {
  e2e_screenshot "$tmp/calculate.png" "151x40+$((X + 36))+$((Y + 274))" || return 1
  [ "$(compare -metric AE "$tmp/calculate.png" "$root/assets/pictures/calculateButton/Picture.png" \
    null: 2>&1 || true)" = 0 ]
}
e2e_wait_for 30 "the Calculate button's picture" calculate_shows
e2e_screenshot "$out/installed-window.png" "${WIDTH}x${HEIGHT}+$X+$Y"
echo "PASS"
