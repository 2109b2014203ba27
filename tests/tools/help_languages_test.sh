#!/usr/bin/env bash
# The three programs' --help and usage errors in the user's language: German, French and
# Spanish sessions get a translation that still names every option of the English help in the
# same order, and a usage error in that language whole; any other language gets the English
# help byte for byte, and LANGUAGE is followed in the C locale too, as the windows follow it.
# The locales need not be generated on the machine.
# Usage: help_languages_test.sh PROGRAM...
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
unset LANGUAGE LC_ALL LC_MESSAGES

help_in() {  # PROGRAM VARIABLE=VALUE...
  local program=$1
  shift
  env "$@" "$program" --help || fail "$program --help under $* exits $?"
}
# The options a help names, in order: every word that starts with one or two dashes.
options() { grep -o -- '\(^\|[ [|]\)--\?[a-z][a-z-]*' | tr -d ' [|'; }

# A usage error as the program says it: its problem and the usage's first line, on stderr.
usage_error_in() {  # PROGRAM VARIABLE=VALUE...
  local program=$1
  shift
  { env "$@" QT_QPA_PLATFORM=offscreen "$program" --bogus 2>&1 >/dev/null || true; } | head -n2
}

for program in "$@"; do
  name=$(basename "$program")
  english=$(help_in "$program" LANG=C.UTF-8)
  english_error=$(usage_error_in "$program" LANG=C.UTF-8)
  for locale in de_DE.UTF-8 fr_FR.UTF-8 es_ES.UTF-8; do
    translated=$(help_in "$program" LANG=$locale)
    [ "$translated" != "$english" ] || fail "$name --help is English under LANG=$locale"
    # Said whole in the help's language: no line of the error is the English one.
    translated_error=$(usage_error_in "$program" LANG=$locale)
    [ "$(head -n1 <<<"$translated_error")" != "$(head -n1 <<<"$english_error")" ] &&
      [ "$(tail -n1 <<<"$translated_error")" = "$(head -n1 <<<"$translated")" ] &&
      grep -q -- --bogus <<<"$translated_error" ||
      fail "$name's usage error under LANG=$locale is not said whole in its language: $translated_error"
    [ "$(options <<<"$translated")" = "$(options <<<"$english")" ] ||
      fail "$name --help under $locale names other options:
$(diff <(options <<<"$english") <(options <<<"$translated"))"
  done
  [ "$(help_in "$program" LANG=it_IT.UTF-8)" = "$english" ] || fail "$name --help in Italian is not the English one"
  [ "$(help_in "$program" LANG=C LANGUAGE=de)" = "$(help_in "$program" LANG=de_DE.UTF-8)" ] ||
    fail "$name --help does not follow LANGUAGE in the C locale, as the windows do"
  [ "$(help_in "$program" LANG=en_GB.UTF-8 LC_MESSAGES=fr_FR.UTF-8)" = "$(help_in "$program" LANG=fr_FR.UTF-8)" ] ||
    fail "$name --help does not follow LC_MESSAGES"
done
echo "PASS"
