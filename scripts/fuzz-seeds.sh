#!/usr/bin/env bash
# Keeps what fuzzing found: minimises each harness's grown corpus (build-fuzz/corpus/HARNESS,
# left by scripts/fuzz.sh) against what every build replays anyway (the regression inputs,
# the seeds, and for the GIF harnesses the public suites), and adds the inputs up to 16 KB
# that bring new coverage to fuzz/seeds/HARNESS.
#
#   bash scripts/fuzz-seeds.sh HARNESS...
#
# Larger inputs are left out: on the corpora of 20-minute runs they added features (hit
# counts) but no new edge, at four times the bytes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
[ $# -gt 0 ] || { echo "usage: $0 HARNESS..." >&2; exit 2; }

for name in "$@"; do
  harness="$build/fuzz/fuzz_$name"
  grown="$build/corpus/$name"
  [ -x "$harness" ] || { echo "$name: no $harness; run scripts/fuzz.sh first" >&2; exit 1; }
  [ -d "$grown" ] || { echo "$name: no corpus in $grown; run scripts/fuzz.sh first" >&2; exit 1; }
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/replayed" "$work/merged"
  # What is replayed anyway, flat, under content names.
  sources=("$root/fuzz/regressions/$name" "$root/fuzz/seeds/$name")
  [[ "$name" == gif* ]] && sources+=("$root/tests/data/gif")
  for dir in "${sources[@]}"; do
    [ -d "$dir" ] || continue
    find "$dir" -type f ! -name '*.md' ! -name 'LICENSE*' -print0 |
      while IFS= read -r -d '' file; do
        cp "$file" "$work/replayed/$(sha1sum "$file" | cut -c1-40)"
      done
  done
  cp -r "$work/replayed/." "$work/merged/"
  # libFuzzer adds to the first folder only the inputs that bring something new.
  "$harness" -merge=1 -rss_limit_mb=2560 -timeout=10 "$work/merged" "$grown" \
    >"$work/merge.log" 2>&1 || { tail -n 20 "$work/merge.log"; exit 1; }
  mkdir -p "$root/fuzz/seeds/$name"
  added=0
  for file in "$work/merged/"*; do
    [ -e "$work/replayed/$(basename "$file")" ] && continue
    [ "$(stat -c %s "$file")" -le 16384 ] || continue
    cp "$file" "$root/fuzz/seeds/$name/"
    added=$((added + 1))
  done
  echo "$name: $added new seeds; fuzz/seeds/$name holds $(find "$root/fuzz/seeds/$name" -type f | wc -l) files"
  rm -rf "$work"
  trap - EXIT
done
