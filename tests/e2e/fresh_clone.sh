#!/usr/bin/env bash
# Clones the repository into an empty temporary folder, as a new user would, configures the
# clone and builds the program there. Fails when the build description names a file outside
# the clone (other than the system's own folders), reaches beside the clone, or when the
# configure step or the program's build fails.
# Usage: fresh_clone.sh SOURCE-DIR
set -euo pipefail
source_dir=$1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
clone=$work/corpometer
git clone --quiet --no-hardlinks "$source_dir" "$clone"
build=$clone/build

cmake -S "$clone" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >"$work/configure.log" 2>&1 || {
  cat "$work/configure.log" >&2
  echo "FAIL: the fresh clone does not configure" >&2
  exit 1
}

# Every absolute path the build and test descriptions name must lie inside the clone or in
# the system's folders; a path beside the clone counts even when nothing is there (a test
# input that is missing only shows when the test runs).
outside=$(
  find "$build" \( -name build.ninja -o -name '*.ninja' -o -name CMakeCache.txt \
    -o -name CTestTestfile.cmake \) -type f -print0 |
    xargs -0 grep -ohE "(^|[[:space:]\"'=;(,])/[][A-Za-z0-9_.+@%:=~-]+(/[][A-Za-z0-9_.+@%:=~-]+)*" |
    sed -E "s/^[[:space:]\"'=;(,]//" | sort -u | while read -r token; do
      path=$(realpath -m -- "$token")
      case "$path" in
        "$clone" | "$clone"/*) continue ;;
        /usr/* | /etc/* | /lib/* | /lib64/* | /bin/* | /sbin/* | /dev/* | /proc/* | /opt/*) continue ;;
      esac
      if [ -e "$path" ] || [[ "$path" == "$work"/* ]]; then echo "$path"; fi
    done
)
if [ -n "$outside" ]; then
  echo "FAIL: the build of a fresh clone names files outside the clone:" >&2
  echo "$outside" >&2
  exit 1
fi

cmake --build "$build" --parallel "$(nproc)" --target corpometer >"$work/build.log" 2>&1 || {
  tail -n 40 "$work/build.log" >&2
  echo "FAIL: the program does not build in a fresh clone" >&2
  exit 1
}
[ -x "$build/app/corpometer" ] || { echo "FAIL: no program after the build" >&2; exit 1; }
echo "PASS"
