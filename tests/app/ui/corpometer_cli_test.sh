#!/usr/bin/env bash
# The program's command line without a display: help and version on standard output with
# status 0, usage errors on standard error with status 2 (read before any window system is
# started) in the user's language, Qt's own options taken by Qt, and a start without a
# display said in one line with status 1.
set -u
exe=$1
version=$2
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for option in --help -h; do
  out=$("$exe" "$option" 2> "$work/err") || fail "$option exited $?"
  case "$out" in *"--version"*) ;; *) fail "$option printed: $out" ;; esac
  [ -s "$work/err" ] && fail "$option wrote to standard error: $(cat "$work/err")"
done
out=$("$exe" --version) || fail "--version exited $?"
[ "$out" = "corpometer $version" ] || fail "--version printed '$out'"

for args in "--bogus" "stray" "-platform offscreen -style Fusion --bogus" "-V" "-platform"; do
  # shellcheck disable=SC2086
  "$exe" $args > "$work/out" 2> "$work/err"
  status=$?
  [ $status -eq 2 ] || fail "'$args' exited $status"
  # The first complaint is about the last argument itself, not about Qt's options before it.
  first=$(grep -m1 '^corpometer:' "$work/err")
  case "$first" in *"${args##* }"*) ;; *) fail "'$args' gave: $(cat "$work/err")" ;; esac
  [ -s "$work/out" ] && fail "'$args' wrote to standard output"
done

# No display: one line that says so, status 1, before Qt is asked for a window (which would
# abort with a core dump).
"$exe" > "$work/out" 2> "$work/err"
status=$?
[ $status -eq 1 ] || fail "without a display it exited $status: $(cat "$work/err")"
[ "$(wc -l < "$work/err")" -eq 1 ] && grep -q '^corpometer: .*DISPLAY' "$work/err" ||
  fail "without a display it said: $(cat "$work/err")"

# Usage errors are said whole in the language the help is in, which the windows speak too.
while IFS='|' read -r environment usage complaint; do
  # shellcheck disable=SC2086
  env -u LANGUAGE -u LC_ALL -u LC_MESSAGES $environment "$exe" --help > "$work/out" 2>&1
  [ "$(head -n1 "$work/out" | cut -d' ' -f1)" = "$usage" ] ||
    fail "$environment: --help begins '$(head -n1 "$work/out")'"
  # shellcheck disable=SC2086
  env -u LANGUAGE -u LC_ALL -u LC_MESSAGES $environment "$exe" --bogus > "$work/out" 2> "$work/err"
  [ "$(head -n1 "$work/err")" = "corpometer: $complaint" ] &&
    [ "$(sed -n 2p "$work/err" | cut -d' ' -f1)" = "$usage" ] ||
    fail "$environment: the usage error reads: $(cat "$work/err")"
done <<'EOF2'
LANGUAGE=de LANG=C.UTF-8|Aufruf:|unbekannte Option „--bogus“
LANG=es_MX.UTF-8|uso:|opción desconocida «--bogus»
LANG=fr_FR.UTF-8|utilisation|option inconnue « --bogus »
LANG=C.UTF-8|usage:|unknown option '--bogus'
EOF2

# Qt's own options still reach Qt: the window opens on the platform named, whatever the style.
out=$(CORPOMETER_REPORT_FIRST_PAINT=1 "$exe" -platform offscreen -style Windows 2> "$work/err")
status=$?
[ $status -eq 0 ] || fail "-platform offscreen -style Windows exited $status: $(cat "$work/err")"
case "$out" in "first-paint "*) ;; *) fail "-platform offscreen painted nothing: $out" ;; esac

if [ "$failures" -eq 0 ]; then echo "corpometer command line: all checks passed"; else exit 1; fi
