#!/usr/bin/env bash
# Builds the fuzz harnesses with clang's libFuzzer and runs each for a while.
#
#   bash scripts/fuzz.sh [SECONDS_EACH] [HARNESS ...]     (default: 600 s, every harness)
#
# Corpora grow in build-fuzz/corpus/HARNESS, seeded from fuzz/seeds/HARNESS, the regression
# inputs and, for the GIF harnesses, the public GIF suites. Crashes land in
# build-fuzz/findings/HARNESS; keep each one under fuzz/regressions/HARNESS/ with a name
# that says what broke, once fixed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
shift || true
build="$root/build-fuzz"

bash "$root/scripts/ensure-packages.sh" clang libclang-rt-14-dev
CC=clang CXX=clang++ BUILD_DIR="$build" bash "$root/scripts/build.sh" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORPOMETER_FUZZ=ON -DCORPOMETER_WITH_QT=OFF \
  -DCORPOMETER_WITH_BENCH=OFF -DCORPOMETER_WITH_TESTS=OFF

harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for exe in "$build"/fuzz/fuzz_*; do harnesses+=("$(basename "$exe" | sed 's/^fuzz_//')"); done
fi

testdata=$root/tests/data/gif
status=0
for name in "${harnesses[@]}"; do
  corpus="$build/corpus/$name"
  findings="$build/findings/$name"
  log="$build/logs/$name.log"
  mkdir -p "$corpus" "$findings" "$build/logs"
  seeds=()
  for dir in "$root/fuzz/seeds/$name" "$root/fuzz/regressions/$name"; do
    [ -d "$dir" ] && seeds+=("$dir")
  done
  case "$name" in
    gif*|lzw*) [ -d "$testdata" ] && seeds+=("$testdata") ;;
  esac
  # A harness's own dictionary, else the GIF block bytes for every GIF harness.
  dict=()
  if [ -f "$root/fuzz/dicts/$name.dict" ]; then
    dict=(-dict="$root/fuzz/dicts/$name.dict")
  elif [[ "$name" == gif* ]]; then
    dict=(-dict="$root/fuzz/dicts/gif.dict")
  fi
  echo "== $name: ${seconds}s"
  "$build/fuzz/fuzz_$name" "$corpus" "${seeds[@]}" "${dict[@]}" \
    -max_total_time="$seconds" -max_len=262144 -rss_limit_mb=2560 -timeout=10 \
    -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1 || status=1
  # The figures worth reporting: coverage at the end, executions, speed, findings.
  grep -E '^#[0-9]+[[:space:]]+DONE|^stat::|^==[0-9]+==ERROR|^SUMMARY|^artifact_prefix|Test unit written' \
    "$log" || tail -n 25 "$log"
  echo "corpus: $(find "$corpus" -type f | wc -l) files; findings: $(find "$findings" -type f | wc -l)"
done
exit $status
