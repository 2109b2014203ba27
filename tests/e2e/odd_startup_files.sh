#!/usr/bin/env bash
# The files read at start may be anything a user or an administrator leaves there. For each
# odd "3.dat" or banner file the real program must show its window (a pipe opened the usual
# way blocks for ever, a device never ends), keep its peak memory near that of a start
# without branding, say on standard error which file it passed over, and open nothing outside
# the folder of its "3.dat". Start times and peak memory are printed for the record.
# Usage: odd_startup_files.sh CORPOMETER CORPOMETER-BRAND
set -euo pipefail
exe=$1
brand=$2

source "$(dirname "$0")/e2e_common.sh"
work=$(mktemp -d)
trap 'e2e_stop_programs; rm -rf "$work"' EXIT
app=$work/app
mkdir -p "$app" "$work/config" "$work/outside"
cp "$exe" "$app/corpometer"
convert -size 20x10 xc:'#FF0000' "$work/outside/x.gif"
baseline_kb=0

# Starts the program on what $app holds now, waits for its window and stops it again; the
# start time and the peak memory go to the output, the program's output to NAME.out.log.
run_case() {  # NAME [COMMAND-PREFIX...]
  local name=$1
  shift
  local begin
  begin=$(date +%s%N)
  HOME=$work XDG_CONFIG_HOME=$work/config XDG_CONFIG_DIRS=$work/no-such-folder \
    e2e_start "$name" "$@" "$app/corpometer"
  wait_main_window 20
  local shown_ms=$((($(date +%s%N) - begin) / 1000000))
  local pid
  pid=$(pgrep -f -n "^$app/corpometer") || e2e_fail "$name: the program is gone"
  peak_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
  echo "$name: window after $shown_ms ms, peak memory $((peak_kb / 1024)) MiB"
  kill "$pid"
  wait "$E2E_PID" 2>/dev/null || true
  if [ "$baseline_kb" -gt 0 ] && [ "$peak_kb" -gt $((baseline_kb + 40 * 1024)) ]; then
    e2e_fail "$name: peak memory $peak_kb KiB, against $baseline_kb KiB without branding"
  fi
}
# The one line naming the file that was passed over.
expect_named() {  # NAME FILE
  grep -qF "\"$2\"" "$out/$1.out.log" || e2e_fail "$1: no line naming $2 on standard error"
}
branded() {  # BANNER-FILE: a 3.dat with both banners on, showing that file
  rm -f "$app/3.dat"
  "$brand" write "$app/3.dat" --title Corpometer --banner-file "$1" --picture-banner \
    --animated-banner >/dev/null
}

run_case no-branding
baseline_kb=$peak_kb

mkfifo "$app/3.dat"
run_case pipe
expect_named pipe "$app/3.dat"
[ -p "$app/3.dat" ] || e2e_fail "the pipe named 3.dat was removed"
rm "$app/3.dat"

ln -s /dev/zero "$app/3.dat"
run_case link-to-device
expect_named link-to-device "$app/3.dat"
[ -L "$app/3.dat" ] || e2e_fail "the link named 3.dat was removed"
rm "$app/3.dat"

truncate -s 100M "$app/3.dat"
run_case huge-file
expect_named huge-file "$app/3.dat"
rm "$app/3.dat"

branded banner.gif
mkfifo "$app/banner.gif"
run_case banner-pipe
expect_named banner-pipe "$app/banner.gif"
rm "$app/banner.gif"
ln -s /dev/zero "$app/banner.gif"
run_case banner-link-to-device
expect_named banner-link-to-device "$app/banner.gif"
rm "$app/banner.gif"

# A banner that is not there, also one whose name looks absolute, is named as the others.
branded missing.gif
run_case missing-banner
expect_named missing-banner "$app/missing.gif"
branded /home/me/anim.gif
run_case absolute-banner
expect_named absolute-banner "/home/me/anim.gif"

# A damaged 3.dat is used, its lost fields blank, and said once with the field.
head -c 1000 "$(dirname "$0")/../data/gif/wuffs/muybridge.gif" > "$app/3.dat"
run_case damaged-branding
expect_named damaged-branding "$app/3.dat"
[ "$(grep -c "is damaged: .* field NameText" "$out/damaged-branding.out.log")" -eq 1 ] ||
  e2e_fail "the damaged 3.dat is not said once with its field"
rm "$app/3.dat"

# An animated banner cut short shows the frames that could be read, and says once that it
# lost the rest.
head -c 2000 "$(dirname "$0")/../data/gif/wuffs/muybridge.gif" > "$app/banner.gif"
branded banner.gif
run_case cut-banner
[ "$(grep -c "banner \"$app/banner.gif\" shows only what could be read" \
  "$out/cut-banner.out.log")" -eq 1 ] || e2e_fail "the cut banner is not said once"
rm "$app/banner.gif"

# A banner GIF of a hundred bytes whose frames claim 16000 x 16000 pixels each, one whose
# screen claims 8000 x 8000, and a banner file of 100 MB cost what a banner may: the window
# shows under 64 MiB.
gif_of() {  # SCREEN-WIDTH SCREEN-HEIGHT FRAME-WIDTH FRAME-HEIGHT FRAMES
  local le='\\x%02x\\x%02x'
  printf 'GIF89a'
  printf "$(printf "$le$le" $(($1 & 255)) $(($1 >> 8)) $(($2 & 255)) $(($2 >> 8)))"
  printf '\200\000\000\000\000\000\377\377\377'
  for _ in $(seq "$5"); do
    printf '\041\371\004\000\012\000\000\000\054\000\000\000\000'
    printf "$(printf "$le$le" $(($3 & 255)) $(($3 >> 8)) $(($4 & 255)) $(($4 >> 8)))"
    printf '\000\002\002\104\001\000'
  done
  printf ';'
}
for banner in frames:375:60:16000:16000:4 screen:8000:8000:1:1:2 large:0; do
  IFS=: read -r name sizes <<<"$banner"
  if [ "$name" = large ]; then
    gif_of 375 60 375 60 1 > "$app/banner.gif"
    head -c 100000000 /dev/zero >> "$app/banner.gif"
  else
    gif_of ${sizes//:/ } > "$app/banner.gif"
  fi
  branded banner.gif
  run_case "banner-$name"
  [ "$peak_kb" -lt $((64 * 1024)) ] || e2e_fail "banner-$name: peak memory $peak_kb KiB"
done
rm "$app/banner.gif" "$app/3.dat"

# A settings file of 100 MB is passed over and named, not read.
truncate -s 100M "$work/config/Corpometer.ini"
run_case huge-settings
grep -qF "$work/config/Corpometer.ini is larger" "$out/huge-settings.out.log" ||
  e2e_fail "the settings file of 100 MB is not named on standard error"
rm "$work/config/Corpometer.ini"

# A name climbing out of the folder: refused before anything opens it.
branded '..\outside\x.gif'
run_case climbing-banner strace -f -qq -e trace=open,openat,stat,statx,newfstatat \
  -o "$work/climbing.trace"
expect_named climbing-banner "$app/../outside/x.gif"
if grep -qF "outside" "$work/climbing.trace"; then
  e2e_fail "a file outside the branding folder was looked at: $(grep -F outside "$work/climbing.trace")"
fi
echo "PASS"
