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
# The info line without the header version (a file without frames written as "87a" by
# another encoder may come back as "89a") and without the damage a resave leaves behind.
info() {
  "$tool" info "$1" 2> /dev/null |
    sed -e 's/"complete": [a-z]*, //' -e 's/"damage": "[^"]*", //' -e 's/"version": "[^"]*", //'
}

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

# Replacing a file keeps who may read it and where it lives.
umask 022
good=$(find "$samples/pygif" -name 'transparent.gif' | head -n 1)
mode() { stat -c %a "$1"; }
owner() { stat -c %u:%g "$1"; }
printf 'old' > "$work/private.gif"
chmod 600 "$work/private.gif"
[ "$(id -u)" -eq 0 ] && chown 65534:65534 "$work/private.gif"
was=$(owner "$work/private.gif")
"$tool" resave "$good" "$work/private.gif" || fail "resave over a private file exited $?"
[ "$(mode "$work/private.gif")" = 600 ] || fail "a 0600 file came back $(mode "$work/private.gif")"
[ "$(owner "$work/private.gif")" = "$was" ] || fail "owner $was became $(owner "$work/private.gif")"
"$tool" resave "$good" "$work/new.gif" || fail "resave to a new file exited $?"
[ "$(mode "$work/new.gif")" = 644 ] || fail "a new file got mode $(mode "$work/new.gif")"

mkdir "$work/real"
printf 'old' > "$work/real/target.gif"
chmod 640 "$work/real/target.gif"
ln -s real/target.gif "$work/link.gif"
"$tool" resave "$good" "$work/link.gif" || fail "resave through a link exited $?"
[ -L "$work/link.gif" ] || fail "the symbolic link was replaced by a file"
[ "$(readlink "$work/link.gif")" = real/target.gif ] || fail "the link points elsewhere now"
[ "$(info "$work/real/target.gif")" = "$(info "$good")" ] || fail "the link's target was not saved"
[ "$(mode "$work/real/target.gif")" = 640 ] || fail "the link's target lost its mode"
[ "$(ls -A "$work/real")" = target.gif ] || fail "files left beside the target: $(ls -A "$work/real")"

long=$(printf 'n%.0s' $(seq 1 250)).gif  # 254 bytes, near the longest name a folder allows
"$tool" resave "$good" "$work/$long" || fail "resave to a 254-byte name exited $?"

# A folder where no new file may be created: a clear failure, nothing touched or left. Root
# may write anywhere, so it tries as the unprivileged user.
mkdir "$work/locked"
printf 'old' > "$work/locked/keep.gif"
cp "$good" "$work/locked/in.gif"
chmod 755 "$work"
chmod 555 "$work/locked"
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
"${as_user[@]}" "$tool" resave "$work/locked/in.gif" "$work/locked/keep.gif" 2> "$work/err"
[ $? -eq 1 ] || fail "saving into a read-only folder did not exit 1"
grep -q "not saved.*$work/locked.*Permission denied" "$work/err" ||
  fail "unclear message for a read-only folder: $(cat "$work/err")"
[ "$(cat "$work/locked/keep.gif")" = "old" ] || fail "a refused save touched the existing file"
[ "$(ls -A "$work/locked" | tr '\n' ' ')" = "in.gif keep.gif " ] ||
  fail "files left in the read-only folder: $(ls -A "$work/locked")"
chmod 755 "$work/locked"

"$tool" resave "$work/missing.gif" "$work/x.gif" 2> "$work/err"
[ $? -eq 1 ] || fail "a missing input did not exit 1"
grep -q "not loaded" "$work/err" || fail "no message for the missing input"
"$tool" resave "$work/no-table.gif" 2> /dev/null
[ $? -eq 2 ] || fail "resave without OUT is not a usage error"

[ "$failures" -eq 0 ] && echo "ok: $saved samples resaved"
exit $((failures > 0))
