#!/usr/bin/env bash
# How `corpogif resave` puts a file in place, seen in its system calls: the new file is made
# without a name, forced to the disk before it gets one, renamed over the old file (or linked
# straight in as a new one), and the folder is forced to the disk afterwards. A crash at any
# point then leaves the old file or the whole new one. Given a library that makes files
# without a name fail (NO-UNNAMED-FILES-LIBRARY), also the saves where they cannot be made:
# a save killed then leaves a named temporary file, which the next save removes, and never
# one of a save still running.
# Usage: atomic_save_syscalls_test.sh CORPOGIF SAMPLES [NO-UNNAMED-FILES-LIBRARY]
set -u
tool=$1
samples=$2
no_unnamed=${3:-}
work=$(mktemp -d)
log=$(mktemp)
calls=$(mktemp)
held=
trap '[ -n "$held" ] && kill -9 $held 2> /dev/null; rm -rf "$work" "$log" "$calls"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
sample=$(find "$samples/pygif" -name 'transparent.gif' | head -n 1)

# The file calls of one resave, one per line without the process id, in $work/all (the
# trace itself stays outside $work, which must hold nothing but the saves).
trace() {
  # The leak checker of a sanitizer build cannot work under a tracer; every other test runs
  # with it.
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    strace -f -qq -e trace=openat,linkat,rename,renameat,renameat2,fsync,fdatasync \
    -o "$log" "$tool" resave "$sample" "$1" || fail "resave to $1 exited $?"
  grep -vE '"/(lib|usr|etc|sys|proc/self/maps)' "$log" | sed 's/^[0-9]* *//' > "$calls"
}
# Line number of the first call matching an extended regular expression after line $2.
line_of() { awk -v from="${2:-0}" -v re="$1" 'NR > from && $0 ~ re { print NR; exit }' "$calls"; }

check_order() {
  local target=$1 replaces=$2
  local made fd synced named renamed folder folder_fd folder_synced
  made=$(line_of "O_TMPFILE.*= [0-9]+$")
  [ -n "$made" ] || { fail "no unnamed file made for $target"; cat "$calls"; return; }
  fd=$(sed -n "${made}s/.*= \([0-9]*\)$/\1/p" "$calls")
  synced=$(line_of "^fsync\\($fd\\) += 0" "$made")
  named=$(line_of "^linkat\\(.*\"/proc/self/fd/$fd\"" "$made")
  [ -n "$synced" ] && [ -n "$named" ] && [ "$synced" -lt "$named" ] ||
    fail "$target: the data was not forced to the disk before the file got a name"
  grep -qE 'O_CREAT' "$calls" && fail "$target: a named temporary file was created"
  if [ "$replaces" = yes ]; then
    renamed=$(line_of "^rename(at2?)?\\(.*\"$target\"" "${named:-0}")
    [ -n "$renamed" ] || fail "$target: not renamed over the old file after getting its name"
  else
    grep -q "\"$target\", AT_SYMLINK_FOLLOW) = 0" "$calls" ||
      fail "$target: a new file was not linked straight in"
    grep -qE '^rename' "$calls" && fail "$target: a new file was renamed into place"
    renamed=$named
  fi
  folder=$(line_of "O_DIRECTORY\\) = [0-9]+$" "${renamed:-0}")
  folder_fd=$(sed -n "${folder:-0}s/.*= \([0-9]*\)$/\1/p" "$calls")
  folder_synced=$(line_of "^fsync\\(${folder_fd:-x}\\) += 0" "${folder:-0}")
  [ -n "$folder_synced" ] || fail "$target: the folder was not forced to the disk after the rename"
}

cp "$sample" "$work/old.gif"
trace "$work/old.gif"
check_order "$work/old.gif" yes
trace "$work/new.gif"
check_order "$work/new.gif" no
[ "$(ls -A "$work" | tr '\n' ' ')" = "new.gif old.gif " ] || fail "files left behind: $(ls -A "$work")"

if [ -n "$no_unnamed" ]; then
  named=$work/named
  mkdir "$named"
  save() { LD_PRELOAD=$no_unnamed "$tool" resave "$sample" "$named/$1" || fail "resave to $1 exited $?"; }
  # A save held for a minute in forcing its file to the disk, as one is that dies there.
  LD_PRELOAD=$no_unnamed strace -qq -o /dev/null -e trace=fsync -e inject=fsync:delay_enter=60000000 \
    "$tool" resave "$sample" "$named/held.gif" 2> /dev/null &
  tracer=$!
  # Its temporary file, once the save holds it locked.
  temporary=
  for _ in $(seq 1000); do
    for file in "$named"/.corpo-*.tmp; do
      [ -e "$file" ] && grep -q "FLOCK .*:$(stat -c %i "$file") " /proc/locks && temporary=${file##*/}
    done
    [ -n "$temporary" ] && break
    sleep 0.02
  done
  held=$(pgrep -P $tracer)
  [ -n "$temporary" ] || fail "no locked temporary file while a save runs: $(ls -A "$named")"
  save other.gif
  [ -e "$named/$temporary" ] || fail "a save removed the temporary file of a save still running"
  kill -9 "$held" $tracer
  wait $tracer 2> /dev/null
  # Dead once the system has closed its files, which lets go of the lock.
  inode=$(stat -c %i "$named/$temporary")
  for _ in $(seq 1000); do
    grep -q "FLOCK .*:$inode " /proc/locks || break
    sleep 0.02
  done
  held=
  [ -e "$named/$temporary" ] || fail "a killed save left no temporary file (was it named?)"
  save last.gif
  [ "$(ls -A "$named" | tr '\n' ' ')" = "last.gif other.gif " ] ||
    fail "a later save did not remove what the killed one left: $(ls -A "$named")"
fi

[ "$failures" -eq 0 ] && echo "ok: saves are flushed and put in place in order"
exit $((failures > 0))
