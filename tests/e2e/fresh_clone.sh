#!/usr/bin/env bash
# Clones the repository into an empty temporary folder and builds it as a packager does: the
# two plain commands `cmake -S . -B build` and `cmake --build build` with CMake's default
# generator (Unix Makefiles, which Debian's packaging helpers use), then `cmake --install`.
# Fails when the build description names a file outside the clone (other than the system's
# own folders), reaches beside the clone, or when the configure step, the build or the
# install fails. Then follows the README's commands in order in a second clone.
# Usage: fresh_clone.sh SOURCE-DIR
set -euo pipefail
source_dir=$1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
clone=$work/corpometer
git clone --quiet --no-hardlinks "$source_dir" "$clone"
build=$clone/build

# CMake's own default generator, whatever this machine's developer prefers; every core, as
# a packaging helper asks for them; with CCACHE_DIR given, that compiler cache, which only
# makes it quicker (the commands stay the plain ones).
unset CMAKE_GENERATOR CMAKE_BUILD_TYPE CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
if [ -n "${CCACHE_DIR:-}" ] && command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=$work
fi

(cd "$clone" && cmake -S . -B build) >"$work/configure.log" 2>&1 || {
  cat "$work/configure.log" >&2
  echo "FAIL: the fresh clone does not configure" >&2
  exit 1
}
grep -q '^CMAKE_GENERATOR:INTERNAL=Unix Makefiles$' "$build/CMakeCache.txt" ||
  { echo "FAIL: the default generator is not Unix Makefiles here" >&2; exit 1; }

# Every absolute path the build and test descriptions name must lie inside the clone or in
# the system's folders; a path beside the clone counts even when nothing is there (a test
# input that is missing only shows when the test runs).
outside=$(
  find "$build" \( -name Makefile -o -name '*.make' -o -name link.txt -o -name CMakeCache.txt \
    -o -name CTestTestfile.cmake \) -type f -print0 |
    xargs -0 grep -ohE "(^|[[:space:]\"'=;(,])/[][A-Za-z0-9_.+@%:=~-]+(/[][A-Za-z0-9_.+@%:=~-]+)*" |
    sed -E "s/^[[:space:]\"'=;(,]//" | sort -u | while read -r token; do
      path=$(realpath -m -- "$token")
      case "$path" in
        "$clone" | "$clone"/*) continue ;;
        "${CCACHE_DIR:-$clone}") continue ;;  # the compiler cache handed to the clone's test
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

(cd "$clone" && cmake --build build) >"$work/build.log" 2>&1 || {
  grep -m 5 -iE 'error|cannot' "$work/build.log" >&2 || true
  tail -n 40 "$work/build.log" >&2
  echo "FAIL: the fresh clone does not build with the plain commands" >&2
  exit 1
}

(cd "$clone" && cmake --install build --prefix "$work/installed") >"$work/install.log" 2>&1 || {
  tail -n 40 "$work/install.log" >&2
  echo "FAIL: cmake --install fails for the plain build" >&2
  exit 1
}
for program in corpometer corpometer-brand corpogif; do
  QT_QPA_PLATFORM=offscreen "$work/installed/bin/$program" --version >/dev/null 2>&1 ||
    { echo "FAIL: the installed $program does not start" >&2; exit 1; }
done
# The README followed as a new user follows it, in a clone of its own: its first command
# (bash scripts/run.sh, run without a display, which starts the window under Xvfb and takes a
# screenshot) must build everything its later commands call, and each of them must then work,
# in the README's order. Commands that change the machine (sudo, apt) or build the package
# are left out; so are the [optional] parts of a command's synopsis. The banner the README's
# commands name is a GIF of the test suites.
reader=$work/reader
git clone --quiet --no-hardlinks "$source_dir" "$reader"
cp "$reader/tests/data/gif/giflib/pic/welcome2.gif" "$reader/banner.gif"
python3 - "$reader/README.md" >"$work/readme-commands" <<'EOF'
import re, sys
command = ""
for line in open(sys.argv[1], encoding="utf-8"):
    if not line.startswith("    ") and not command:
        continue
    command += line.strip()
    if command.endswith("\\"):
        command = command[:-1] + " "
        continue
    if command.startswith(("bash scripts/run.sh", "build/")):
        shorter = None
        while shorter != command:  # the innermost [optional] part first
            shorter, command = command, re.sub(r"\[[^][]*\]", "", command)
        print(" ".join(command.split()))
    command = ""
EOF
head -n1 "$work/readme-commands" | grep -qx "bash scripts/run.sh" ||
  { echo "FAIL: the README's first command is not bash scripts/run.sh" >&2; exit 1; }
[ "$(wc -l <"$work/readme-commands")" -ge 5 ] ||
  { echo "FAIL: too few of the README's commands found: $(cat "$work/readme-commands")" >&2; exit 1; }
while read -r command; do
  (cd "$reader" && env -u DISPLAY -u WAYLAND_DISPLAY bash -c "$command") >"$work/readme.log" 2>&1 || {
    tail -n 40 "$work/readme.log" >&2
    echo "FAIL: the README's command fails in a fresh clone: $command" >&2
    exit 1
  }
done <"$work/readme-commands"
echo "PASS"
