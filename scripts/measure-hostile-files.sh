#!/usr/bin/env bash
# What small hostile files cost, measured with /usr/bin/time -v (peak memory, elapsed time):
# `corpogif info` on GIFs whose frames claim far more pixels than their data holds and on
# inputs past the reader's limit, and the program's start with such a banner, a banner file
# of 100 MB or a settings file of 100 MB (it runs offscreen for a few seconds and is ended).
# Prints one line per case and the goal it is held to; exits 1 when a goal is missed.
# Usage: measure-hostile-files.sh [BUILD-DIR]   (default build/, built beforehand)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
corpogif=$build/tools/corpogif/corpogif
brand=$build/tools/corpometer-brand
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
missed=0

# A GIF of one colour table and FRAMES frames each claiming WIDTH x HEIGHT pixels, with one
# pixel of data each.
gif_of() {  # SCREEN-WIDTH SCREEN-HEIGHT FRAME-WIDTH FRAME-HEIGHT FRAMES
  python3 - "$@" <<'PY'
import struct, sys
sw, sh, fw, fh, frames = map(int, sys.argv[1:])
out = b'GIF89a' + struct.pack('<HHBBB', sw, sh, 0x80, 0, 0) + b'\0\0\0\xff\xff\xff'
frame = b',' + struct.pack('<HHHHB', 0, 0, fw, fh, 0) + b'\x02\x02\x44\x01\x00'
sys.stdout.buffer.write(out + frame * frames + b';')
PY
}
# Runs a command under /usr/bin/time -v; prints "NAME: PEAK MiB, SECONDS s" and holds it to
# at most MiB and seconds (0: no goal).
measure() {  # NAME MAX-MIB MAX-SECONDS COMMAND...
  local name=$1 max_mib=$2 max_seconds=$3
  shift 3
  /usr/bin/time -v -o "$work/time" "$@" > /dev/null 2> "$work/err"
  local kb seconds
  kb=$(awk -F': ' '/Maximum resident/ { print $2 }' "$work/time")
  seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); print t[n] + 60 * t[n - 1] }' "$work/time")
  local verdict=ok
  if [ "$max_mib" != 0 ] && [ "$kb" -gt $((max_mib * 1024)) ]; then verdict="MISSED (goal $max_mib MiB)"; fi
  if [ "$max_seconds" != 0 ] && awk -v s="$seconds" -v m="$max_seconds" 'BEGIN { exit !(s > m) }'; then
    verdict="MISSED (goal $max_seconds s)"
  fi
  [ "$verdict" = ok ] || missed=1
  printf '%-34s %7.1f MiB %7.2f s  %s\n' "$name:" "$(echo "$kb / 1024" | bc -l)" "$seconds" "$verdict"
}

gif_of 1 1 16000 16000 128 > "$work/2k.gif"
gif_of 1 1 16383 16383 1 > "$work/one-frame.gif"
gif_of 1 1 16000 16000 4000 > "$work/64k.gif"
truncate -s 2G "$work/2g.gif"
echo "corpogif info ($(stat -c %s "$work/2k.gif"), $(stat -c %s "$work/one-frame.gif") and $(stat -c %s "$work/64k.gif") bytes):"
measure "2 KB, 128 frames of 16000 x 16000" 32 0.1 "$corpogif" info "$work/2k.gif"
measure "43 bytes, one frame of 16383 x 16383" 32 0.1 "$corpogif" info "$work/one-frame.gif"
measure "64 KB, 4000 frames of 16000 x 16000" 64 0 "$corpogif" info "$work/64k.gif"
measure "a file of 2 GB (refused)" 32 0.1 "$corpogif" info "$work/2g.gif"
measure "endless standard input (refused)" 0 0 bash -c \
  "{ head -c 13 '$work/2k.gif'; cat /dev/zero; } | '$corpogif' info -"

# The program, started offscreen with each branding and ended after 3 seconds.
app=$work/app
mkdir -p "$app" "$work/config"
cp "$build/app/corpometer" "$app/"
start() {  # NAME
  measure "$1" 64 0 env HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/none" \
    QT_QPA_PLATFORM=offscreen timeout -s TERM 3 "$app/corpometer"
}
branded() {  # BANNER
  cp "$1" "$app/banner.gif"
  "$brand" write "$app/3.dat" --banner-file banner.gif --animated-banner --picture-banner 2> /dev/null
}
echo "corpometer, started and ended after 3 s:"
start "no branding"
gif_of 375 60 16000 16000 4 > "$work/frames.gif"
branded "$work/frames.gif"
start "banner of $(stat -c %s "$work/frames.gif") bytes, 4 huge frames"
gif_of 8000 8000 1 1 2 > "$work/screen.gif"
branded "$work/screen.gif"
start "banner with an 8000 x 8000 screen"
{ gif_of 375 60 375 60 1; head -c 100000000 /dev/zero; } > "$work/large.gif"
branded "$work/large.gif"
start "banner file of 100 MB"
rm "$app/3.dat"
truncate -s 100M "$work/config/Corpometer.ini"
start "settings file of 100 MB"
exit $missed
