#!/usr/bin/env bash
# Each program's manual page names the same options as its --help: an option added to one
# and forgotten in the other fails here.
set -u
man_dir=$1
shift
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM  # --help needs no display
failures=0
# The options named in a text: words of one or two dashes and a letter, standing alone.
options() { grep -oE '(^|[^A-Za-z0-9-])--?[A-Za-z][A-Za-z0-9-]*' | sed 's/^[^-]*//' | sort -u; }
for program in "$@"; do
  name=$(basename "$program")
  help=$("$program" --help | options)
  # The page without its examples, whose shell commands have options of their own.
  page=$(sed -e '/^\.SH EXAMPLE/,/^\.SH/d' -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$man_dir/$name.1.in" | options)
  if [ -z "$help" ] || [ "$help" != "$page" ]; then
    echo "FAIL: $name: --help and the manual page name different options:"
    diff <(echo "$help") <(echo "$page") | sed -n 's/^</  only in --help:/p; s/^>/  only in the manual page:/p'
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] && echo "the manual pages name the options --help names"
exit $((failures > 0))
