#!/usr/bin/env bash
# corpogif resave from the outside: every sample that loads and saves reads back frame for
# frame as the original did; failures exit 1 with a message and leave the target alone.
set -u
tool=$1
samples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
saved=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# The info line without the header version: a file without frames written as "87a" by
# another encoder may come back as "89a".
info() { "$tool" info "$1" | sed 's/"version": "[^"]*", //'; }

while IFS= read -r -d '' in; do
  out="$work/out.gif"
  rm -f "$out"
  if "$tool" resave "$in" "$out" 2> "$work/err"; then
    saved=$((saved + 1))
    [ "$(info "$in")" = "$(info "$out")" ] || fail "$in reads back differently after resave"
  else
    status=$?
    [ "$status" -eq 1 ] || fail "$in: resave exited $status"
    [ -s "$work/err" ] || fail "$in: resave failed without a message"
    [ ! -e "$out" ] || fail "$in: a failed resave left $out behind"
  fi
done < <(find "$samples/wuffs" "$samples/peterdn" "$samples/pillow" -name '*.gif' -print0 | sort -z)
[ "$saved" -ge 20 ] || fail "only $saved samples were resaved"

# A target that exists is replaced only by a complete file.
printf 'old' > "$work/keep.gif"
printf 'GIF89a\001\000\001\000\000\000\000,\000\000\000\000\001\000\001\000\000\002\002D\001\000;' \
  > "$work/no-table.gif"  # one frame, no colour table anywhere: cannot be saved
"$tool" resave "$work/no-table.gif" "$work/keep.gif" 2> "$work/err"
[ $? -eq 1 ] || fail "saving a frame without a colour table did not exit 1"
grep -q "not saved" "$work/err" || fail "no message for the failed save"
[ "$(cat "$work/keep.gif")" = "old" ] || fail "a failed save touched the existing file"

"$tool" resave "$work/missing.gif" "$work/x.gif" 2> "$work/err"
[ $? -eq 1 ] || fail "a missing input did not exit 1"
grep -q "not loaded" "$work/err" || fail "no message for the missing input"
"$tool" resave "$work/no-table.gif" 2> /dev/null
[ $? -eq 2 ] || fail "resave without OUT is not a usage error"

[ "$failures" -eq 0 ] && echo "ok: $saved samples resaved"
exit $((failures > 0))
