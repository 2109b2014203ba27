#!/usr/bin/env bash
# The Windows stage: everything that needs no Qt cross-built for 64-bit Windows with
# MinGW-w64 into build-windows/, its tests run under Wine in a private prefix without a
# display, and the two command-line tools checked against the Linux build: `corpogif info`
# must print the same bytes for every file of the GIF suites, and `corpometer-brand write`
# must write the same bytes for the same options and seed. Then the Windows window,
# corpometer.exe, under Wine in an X server of its own (tests/win32/window_under_wine.sh;
# its screenshots beside the Linux window's in build-windows/e2e-artefacts/window/).
# Exits non-zero when anything fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
bash "$root/scripts/ensure-packages.sh" "${TEST_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"

jobs=$(nproc)
status=0
windows=$root/build-windows
linux=$root/build
started=$SECONDS

echo "== Windows: cross-build with MinGW-w64"
if [ ! -f "$windows/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCORPOMETER_WITH_QT=OFF -DCORPOMETER_WITH_BENCH=OFF
else
  cmake -S "$root" -B "$windows" >/dev/null
fi
cmake --build "$windows" --parallel "$jobs"
echo "Cross-built in $((SECONDS - started)) s"

# The Linux tools to compare with: the release build's, built here when it is not there.
if [ ! -f "$linux/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$linux" --parallel "$jobs" --target corpogif corpometer-brand

echo "== Windows: Wine's first start"
# A prefix of our own, no display (the tests draw nothing), no Wine chatter, and no offer to
# install Mono or Gecko, which nothing here uses.
export WINEPREFIX=$windows/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export PATH=/usr/lib/wine:$PATH  # Debian's wine64 keeps its launcher there
# A home of the stage's own: Wine links the prefix's user folders to the home's and writes menu
# entries there, and the machine's own configuration is none of the tests' business.
export HOME=$windows/home XDG_CONFIG_HOME=$windows/home/.config
export XDG_DATA_HOME=$windows/home/.local/share XDG_CACHE_HOME=$windows/home/.cache
mkdir -p "$HOME"
export LC_ALL=C.UTF-8            # Wine reads the command line's bytes as UTF-8
unset DISPLAY WAYLAND_DISPLAY
wine_started=$SECONDS
# One server for every program started below, stopped when the stage ends. Without it a
# server ends 3 s after its last program, and the next program starts a new one, whose new
# session runs wineboot all over again while that program starts. The prefix's folder must
# exist first: on a fresh clone it does not, and "wineserver -p" then starts nothing.
mkdir -p "$WINEPREFIX"
wineserver -p || [ $? = 2 ]  # 2: a server already serves this prefix
trap 'wineserver -k 2>/dev/null || true' EXIT
wine64 wineboot --init >/dev/null 2>&1
echo "Wine ready in $((SECONDS - wine_started)) s"

echo "== Windows: tests under Wine"
# The display-free tests (the build registers others, such as the fresh-clone check, that
# build for Linux and are the Linux stage's).
ctest --test-dir "$windows" -L core --output-on-failure --parallel "$jobs" --timeout 600 ||
  status=1
# The test cases each program ran, from the programs' own summaries.
log="$windows/Testing/Temporary/LastTest.log"
awk '/^[0-9]+\/[0-9]+ Testing: /{name=$3}
     /^\[  PASSED  \]/{print "  " name ": " $4 " test cases passed"}
     / inputs replayed without a fault$/{print "  " name ": " $1 " inputs replayed"}' "$log"
grep -h '^\[       OK \] PlatformRegistry\.' "$log" | sed 's/^/  /' || {
  echo "FAIL: the registry test did not pass"
  status=1
}

work=$(mktemp -d)
trap 'rm -rf "$work"; wineserver -k 2>/dev/null || true' EXIT

echo "== Windows: corpogif info against the Linux build"
suites=$(realpath "$root/tests/data/gif")
mapfile -t gifs < <(find "$suites" -name '*.gif' | sort)
info() {  # build (linux or windows), index, file
  local out=$work/$1-$2
  if [ "$1" = linux ]; then
    "$linux/tools/corpogif/corpogif" info "$3" >"$out.json" 2>"$out.err" && echo 0 >"$out.rc" ||
      echo $? >"$out.rc"
  else
    wine64 "$windows/tools/corpogif/corpogif.exe" info "$3" >"$out.json" 2>"$out.err" &&
      echo 0 >"$out.rc" || echo $? >"$out.rc"
  fi
}
export -f info
export work linux windows
for i in "${!gifs[@]}"; do printf '%s\0%s\0%s\0' linux "$i" "${gifs[$i]}"; done |
  xargs -0 -n 3 -P "$jobs" bash -c 'info "$@"' _
for i in "${!gifs[@]}"; do printf '%s\0%s\0%s\0' windows "$i" "${gifs[$i]}"; done |
  xargs -0 -n 3 -P "$jobs" bash -c 'info "$@"' _
same_info() { cmp -s "$work/linux-$1.json" "$work/windows-$1.json" &&
  cmp -s "$work/linux-$1.rc" "$work/windows-$1.rc"; }
differ=0
for i in "${!gifs[@]}"; do
  if ! same_info "$i"; then
    echo "FAIL: corpogif info differs for ${gifs[$i]#"$suites"/}: status $(cat "$work/linux-$i.rc")" \
      "and $(wc -c <"$work/linux-$i.json") bytes on Linux, $(cat "$work/windows-$i.rc") and" \
      "$(wc -c <"$work/windows-$i.json") bytes under Wine; Wine's standard error:"
    sed 's/^/  /' "$work/windows-$i.err"
    differ=$((differ + 1))
  fi
done
[ "$differ" -eq 0 ] || status=1
echo "corpogif info: $(( ${#gifs[@]} - differ )) of ${#gifs[@]} files print the same bytes"

echo "== Windows: corpometer-brand write against the Linux build"
same=0
sets=0
compare_brand() {  # write options...
  local i=$sets
  sets=$((sets + 1))
  "$linux/tools/corpometer-brand" write "$work/linux-$i.dat" "$@"
  # What each reads back from the same file, line ends aside.
  "$linux/tools/corpometer-brand" show "$work/linux-$i.dat" >"$work/linux-$i.txt"
  wine64 "$windows/tools/corpometer-brand.exe" write "$work/windows-$i.dat" "$@" ||
    echo "FAIL: corpometer-brand.exe write $* exited $?"
  wine64 "$windows/tools/corpometer-brand.exe" show "$work/linux-$i.dat" | tr -d '\r' \
    >"$work/windows-$i.txt" || echo "FAIL: corpometer-brand.exe show exited $?"
  if cmp -s "$work/linux-$i.dat" "$work/windows-$i.dat" &&
    cmp -s "$work/linux-$i.txt" "$work/windows-$i.txt"; then
    same=$((same + 1))
  else
    echo "FAIL: corpometer-brand differs for: $*"
    status=1
  fi
}
compare_brand --seed 1
compare_brand --seed 4294967295 --name-text "Café && Co" --title "Body Check" \
  --link "https://example.invalid/a?b=c" --banner-file 'art\banner.gif' --picture-banner \
  --animated-banner --name-font-size 20 --title-font-size 9 --font-name Arial
compare_brand --seed 42 --link "€ ÷ ÿ" --name-font-size -32768 --title-font-size 32767
echo "corpometer-brand: $same of $sets option sets write and show the same bytes"

echo "== Windows: the window under Wine in an X server, driven by keys, read by the probe"
window_started=$SECONDS
# A screen that holds the window at 200% too.
E2E_SCREEN=1280x1024x24 bash "$root/tests/e2e/lib/with-xvfb.sh" --timeout 300 \
  "$windows/e2e-artefacts/window" -- \
  bash "$root/tests/win32/window_under_wine.sh" "$windows" "$linux" "$root" || status=1
echo "The window's checks took $((SECONDS - window_started)) s"
wineserver -p || [ $? = 2 ]  # the window's session has ended: one without a display again

# Further Windows checks go here, each a script of its own called with the same folders.
bash "$root/scripts/test-windows-installer.sh" || status=1  # the installer and the zip

echo "== Windows stage: $((SECONDS - started)) s, $([ "$status" -eq 0 ] && echo passed || echo FAILED)"
exit $status
