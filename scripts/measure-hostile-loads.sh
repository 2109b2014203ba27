#!/usr/bin/env bash
# Peak memory and time of `corpogif info` (a load, then every frame's digests) and of one
# load alone (`corpogif time --repeat 1`: a load to count pixels, then the timed one), each
# in a fresh process, on the small files that claim huge frames (scripts/make-hostile-gifs.py)
# and on the largest file of the repository's suites:
#
#   bash scripts/measure-hostile-loads.sh [BUILD_DIR]
#
# Prints one line a file and command: its size, the peak resident memory and the elapsed time
# (the commands exit 1 for these files, which are incomplete).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
tool=$build/tools/corpogif/corpogif
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/scripts/make-hostile-gifs.py" "$work" >/dev/null
largest=$(find "$root/tests/data/gif" -name '*.gif' -printf '%s %p\n' | sort -n | tail -n 1 |
  cut -d' ' -f2-)
printf '%-28s %9s  %-6s %10s %8s\n' file bytes run 'peak KB' seconds
for gif in "$work"/*.gif "$largest"; do
  for run in info load; do
    if [ "$run" = info ]; then
      command=("$tool" info "$gif")
    else
      command=("$tool" time "$gif" --repeat 1)
    fi
    /usr/bin/time -f '%M %e' -o "$work/time" "${command[@]}" >/dev/null 2>&1 || true
    read -r peak seconds < <(tail -n 1 "$work/time")
    printf '%-28s %9s  %-6s %10s %8s\n' "$(basename "$gif")" "$(stat -c %s "$gif")" "$run" \
      "$peak" "$seconds"
  done
done
