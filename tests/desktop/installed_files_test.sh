#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop finds there: the
# programs, a valid desktop entry whose program and icon are installed, the icon at every
# size of the hicolor theme in a picture of that size, valid AppStream data for the same
# application, and manual pages that man formats without a warning.
# Usage: installed_files_test.sh BUILD-DIR APP-ID
set -euo pipefail
build=$1
app_id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for program in corpometer corpogif corpometer-brand; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed"
done

entry=$prefix/share/applications/$app_id.desktop
[ -f "$entry" ] || fail "no desktop entry $app_id.desktop"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[ -x "$prefix/bin/$exec_name" ] || fail "the entry starts '$exec_name', which is not installed"
icon=$(sed -n 's/^Icon=//p' "$entry")
[ "$icon" = "$app_id" ] || fail "the entry's icon is '$icon', not the application id"

for size in 16 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
  [ -f "$png" ] || fail "no ${size}x${size} icon"
  [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] ||
    fail "the ${size}x${size} icon is $(identify -format '%wx%h' "$png")"
done
svg=$prefix/share/icons/hicolor/scalable/apps/$icon.svg
grep -q '<svg' "$svg" 2>/dev/null || fail "no scalable icon"

metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
[ -f "$metainfo" ] || fail "no AppStream data $app_id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "the AppStream data does not validate"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the AppStream data does not launch the installed desktop entry"

# A desktop in a language the windows speak shows the entry and the software centre's page in
# it too.
for ts in "$(dirname "$0")"/../../app/ui/translations/corpometer_*.ts; do
  language=$(basename "$ts" .ts)
  language=${language#corpometer_}
  grep -q "^Comment\[$language\]=" "$entry" || fail "the desktop entry has no $language comment"
  grep -q "<summary xml:lang=\"$language\">" "$metainfo" ||
    fail "the AppStream data has no $language summary"
done

for page in corpometer corpogif corpometer-brand; do
  man_page=$prefix/share/man/man1/$page.1.gz
  [ -f "$man_page" ] || fail "no manual page $page(1)"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$man_page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns about $page(1): $warnings"
done
echo "PASS"
