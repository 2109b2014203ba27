#!/usr/bin/env bash
# The GIF inspector from the outside: its JSON for a suite file (fingerprints as giflib's
# dump has them), the exit status and message of a file it cannot load, usage errors, and
# the timing line.
set -u
tool=$1
suites=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_in() {  # text, fragment
  case "$1" in *"$2"*) ;; *) fail "expected $2 in: $1" ;; esac
}

# pygif/transparent.gif: a 2 x 2 frame, indices 2 3 4 1, index 2 transparent.
json=$("$tool" info "$suites/pygif/transparent.gif") || fail "info exited $?"
expect_in "$json" '"loaded": true, "complete": true, "version": "89a", "screen": {"width": 2, "height": 2'
expect_in "$json" '"aspect_byte": 0}'  # the byte as stored; 0 gives no ratio
expect_in "$json" '"frame_count": 1, "frames": [{"left": 0, "top": 0, "width": 2, "height": 2'
expect_in "$json" '"transparent": 2, "local_palette": {"used": false, "sorted": false, "entries": 8}'
expect_in "$json" '"indices_md5": "26e5799c9c28c4f750de5289644ccbcb"'  # giflib's pixels_md5
expect_in "$json" '"mask_md5": "4352d88a78aa39750bf70cd6f27bcaa5"'    # bytes 1 0 0 0

# A frame without bitmaps has null fingerprints; a missing loop extension reads null, not 0
# (which plays for ever).
printf 'GIF89a\001\000\001\000\000\000\000\054\000\000\000\000\000\000\000\000\000\002\000\073' > "$work/empty-frame.gif"
json=$("$tool" info "$work/empty-frame.gif") || fail "info of a 0 x 0 frame exited $?"
expect_in "$json" '"loops": null'
expect_in "$json" '"indices_md5": null, "mask_md5": null'

# 16-bit fields print as the file stores them, 0 to 65535: a 40000 x 2 screen, a frame at
# 65535, 33000 shown for 65535 hundredths.
printf 'GIF89a\100\234\002\000\200\000\000\000\000\000\000\000\000' > "$work/wide.gif"
printf '\041\371\004\000\377\377\000\000' >> "$work/wide.gif"
printf '\054\377\377\350\200\001\000\001\000\000\002\002\104\001\000\073' >> "$work/wide.gif"
json=$("$tool" info "$work/wide.gif") || fail "info of a 40000-pixel screen exited $?"
expect_in "$json" '"screen": {"width": 40000, "height": 2'
expect_in "$json" '"left": 65535, "top": 33000, "width": 1, "height": 1, "delay": 65535'
"$tool" frames "$work/wide.gif" "$work/wide-frames" > /dev/null 2> "$work/err"
grep -q "40000 x 2" "$work/err" || fail "frames did not name the 40000 x 2 screen: $(cat "$work/err")"

# A stored aspect byte and the ratio it means.
printf 'GIF89a\001\000\001\000\000\000\061\073' > "$work/aspect.gif"
expect_in "$("$tool" info "$work/aspect.gif")" '"aspect_byte": 49, "aspect_ratio": 1}'

# A file cut short: what was read, that it is incomplete and why, status 1.
head -c 3000 "$suites/wuffs/muybridge.gif" > "$work/cut.gif"
json=$("$tool" info "$work/cut.gif" 2> "$work/err")
[ $? -eq 1 ] || fail "a cut file did not exit 1"
expect_in "$json" '"loaded": true, "complete": false, "damage": "the stream ends inside frame 4'"'"'s image data"'
expect_in "$json" '"frame_count": 4'
# The frame cut short has no digests: its pixels past the data were never in the file.
[[ "$json" =~ \"pixels_read\":\ [0-9]+,\ \"indices_md5\":\ null,\ \"mask_md5\":\ null\}\]\}$ ]] ||
  fail "the cut frame was given digests: $json"
expect_in "$(cat "$work/err")" "cut.gif: incomplete: the stream ends inside frame 4"
# Standard input, and several files: one line each, in the order named; status 1 when any
# is not complete.
[ "$("$tool" info - < "$work/cut.gif" 2> /dev/null)" = "$json" ] || fail "info - differs from info FILE"
both=$("$tool" info "$suites/pygif/transparent.gif" "$work/cut.gif" 2> /dev/null)
[ $? -eq 1 ] || fail "info of a complete and a cut file did not exit 1"
[ "$both" = "$("$tool" info "$suites/pygif/transparent.gif")"$'\n'"$json" ] ||
  fail "info of two files printed: $both"

# Every command names the damage and exits 1; what was read is written only where that
# cannot pass for the whole file.
said_incomplete() {  # what the command said on standard error
  expect_in "$(cat "$work/err")" "cut.gif: incomplete: the stream ends inside frame 4"
}
line=$("$tool" time "$work/cut.gif" --repeat 1 2> "$work/err")
[ $? -eq 1 ] || fail "time of a cut file did not exit 1"
said_incomplete
expect_in "$line" "cut.gif: 1 loads"
"$tool" resave "$work/cut.gif" "$work/cut-copy.gif" 2> "$work/err"
[ $? -eq 1 ] || fail "resave of a cut file did not exit 1"
said_incomplete
[ -e "$work/cut-copy.gif" ] && fail "resave of a cut file wrote it as if whole"
"$tool" resave "$work/cut.gif" "$work/cut-copy.gif" --salvage 2> "$work/err"
[ $? -eq 1 ] || fail "resave --salvage of a cut file did not exit 1"
said_incomplete
expect_in "$("$tool" info "$work/cut-copy.gif")" '"complete": true'
expect_in "$("$tool" info "$work/cut-copy.gif")" '"frame_count": 4'
"$tool" frames "$work/cut.gif" "$work/cut-frames" > /dev/null 2> "$work/err"
[ $? -eq 1 ] || fail "frames of a cut file did not exit 1"
said_incomplete
[ "$(ls "$work/cut-frames" | tr '\n' ' ')" = "frame-001.png frame-002.png frame-003.png frame-004.png " ] ||
  fail "frames of a cut file wrote: $(ls "$work/cut-frames")"
# The output folder is the command's: earlier frames are refused, or replaced when asked,
# and none of a longer animation is left among a shorter one's.
sum=$(cat "$work/cut-frames"/* | md5sum)
"$tool" frames "$suites/pygif/transparent.gif" "$work/cut-frames" > /dev/null 2> "$work/err"
[ $? -eq 1 ] || fail "frames into a folder of frames did not exit 1"
expect_in "$(cat "$work/err")" "already holds frame files"
[ "$(cat "$work/cut-frames"/* | md5sum)" = "$sum" ] || fail "a refused frames run changed the folder"
touch "$work/cut-frames/notes.txt"
"$tool" frames "$suites/pygif/transparent.gif" "$work/cut-frames" --replace > /dev/null ||
  fail "frames --replace exited $?"
[ "$(ls "$work/cut-frames" | tr '\n' ' ')" = "frame-001.png notes.txt " ] ||
  fail "frames --replace left: $(ls "$work/cut-frames")"
# No more than the reader takes is read: a 2 GB file is refused without being read.
truncate -s 2G "$work/huge.gif"
"$tool" info "$work/huge.gif" > /dev/null 2> "$work/err"
[ $? -eq 1 ] || fail "info of a 2 GB file did not exit 1"
expect_in "$(cat "$work/err")" "huge.gif: not loaded (holds more than"
rm -f "$work/huge.gif"

# 32767 frames, the most a load keeps: every command counts them to the end.
python3 -c "
import sys
frame = b',\0\0\0\0\1\0\1\0\0\2\2\x44\1\0'
sys.stdout.buffer.write(b'GIF89a\1\0\1\0\x80\0\0\0\0\0\xff\xff\xff' + frame * 32767 + b';')
" > "$work/frames.gif"
expect_in "$("$tool" info "$work/frames.gif")" '"complete": true'
[ "$("$tool" info "$work/frames.gif" | grep -o '"left"' | wc -l)" -eq 32767 ] ||
  fail "info of 32767 frames did not print them all"
"$tool" time "$work/frames.gif" --repeat 1 > /dev/null || fail "time of 32767 frames exited $?"
rm "$work/frames.gif"

# Complete or not as giflib finds it, for every file its dumps record (giflib refuses a
# minimum code size above 8, which the reader decodes, and a frame 65535 pixels high).
checked=0
for dump in "$suites"/giflib-dumps/*.txt; do
  suite=$(basename "$dump" .txt)
  while read -r name verdict; do
    # A frame 65535 pixels wide or high is whole for giflib; the reader keeps no bitmap for
    # a side above 32767 and reports the frame as lost.
    case $name in issue_2811.gif | max-codes.gif | max-width.gif | max-height.gif) continue ;; esac
    gif=$(find "$suites/$suite" -name "$name" | head -n 1)
    "$tool" info "$gif" > /dev/null 2>&1
    status=$?
    if [ "$verdict" = trailer ]; then expected=0; else expected=1; fi
    [ $status -eq $expected ] || fail "$suite/$name: info exited $status, giflib's read ended: $verdict"
    checked=$((checked + 1))
  done < <(awk '/^file:/ { name = $2 } /^end:/ { print name, $2 }' "$dump")
done
[ $checked -ge 150 ] || fail "only $checked files compared with giflib"

# frames: about as small as ImageMagick writes the same frames (at most 1.5 times its bytes),
# and the same pixels as its composition, read back by ImageMagick; "#RRGGBB" is a colour.
for name in pillow/chi image-gif/samples/moon_impact; do
  gif=$suites/$name.gif
  rm -rf "$work/ours" "$work/theirs" "$work/flat"
  mkdir "$work/theirs" "$work/flat"
  "$tool" frames "$gif" "$work/ours" --background '#135779' > /dev/null || fail "frames $name exited $?"
  convert "$gif" -coalesce "$work/theirs/f%03d.png"
  convert "$gif" -coalesce -background '#135779' -alpha remove "$work/flat/f%03d.png"
  ours=$(cat "$work/ours"/*.png | wc -c)
  theirs=$(cat "$work/theirs"/*.png | wc -c)
  [ $((ours * 2)) -le $((theirs * 3)) ] || fail "$name: frames wrote $ours bytes, ImageMagick $theirs"
  [ "$(ls "$work/ours" | wc -l)" -eq "$(ls "$work/flat" | wc -l)" ] || fail "$name: frame counts differ"
  n=0
  for frame in "$work/flat"/f*.png; do
    n=$((n + 1))
    differ=$(compare -metric AE "$work/ours/$(printf 'frame-%03d.png' $n)" "$frame" null: 2>&1)
    [ "$differ" = 0 ] || fail "$name frame $n: $differ pixels differ from ImageMagick's"
  done
done
# A file that does not load leaves no folder behind.
printf 'GIF88a' > "$work/bad.gif"
"$tool" frames "$work/bad.gif" "$work/never/made" 2> /dev/null
[ $? -eq 1 ] || fail "frames of a refused file did not exit 1"
[ -e "$work/never" ] && fail "frames of a refused file left a folder"

# Not loaded: status 1, JSON with "loaded": false, a message on stderr that says why.
printf 'GIF88a' > "$work/bad.gif"
json=$("$tool" info "$work/bad.gif" 2> "$work/err")
status=$?
[ $status -eq 1 ] || fail "a refused file exited $status"
[ "$json" = '{"loaded": false}' ] || fail "a refused file reported fields it never read: $json"
expect_in "$(cat "$work/err")" "a GIF version other than 87a and 89a"
json=$("$tool" info "$work/missing.gif" 2> "$work/err")
[ $? -eq 1 ] || fail "a missing file did not exit 1"
[ "$json" = '{"loaded": false}' ] || fail "a missing file reported fields it never read: $json"
expect_in "$(cat "$work/err")" "missing.gif: not loaded (does not exist)"

# Help and version go to standard output with status 0.
out=$("$tool" --help 2> "$work/err") || fail "--help exited $?"
expect_in "$out" "usage: corpogif info FILE"
[ -s "$work/err" ] && fail "--help wrote to standard error: $(cat "$work/err")"
out=$("$tool" --version) || fail "--version exited $?"
[ "$out" = "corpogif $version" ] || fail "--version printed '$out'"

# Usage errors: status 2 and a message.
for args in "" "info" "frob x" "time x --repeat" "time x --repeat 0" "time x --fast 3" \
  "time x --encode --repeat" "--help x" "--versions"; do
  # shellcheck disable=SC2086
  "$tool" $args > /dev/null 2> "$work/err"
  status=$?
  [ $status -eq 2 ] || fail "'$args' exited $status"
  [ -s "$work/err" ] || fail "no message for '$args'"
done

line=$("$tool" time "$suites/wuffs/muybridge.gif" --repeat 3) || fail "time exited $?"
[[ "$line" =~ ^.*muybridge\.gif:\ 3\ loads,\ median\ [0-9.]+\ ms,\ [0-9.]+\ Mpx/s$ ]] ||
  fail "time printed: $line"
line=$("$tool" time "$suites/wuffs/muybridge.gif" --encode --repeat 2) || fail "time --encode exited $?"
[[ "$line" =~ ^.*muybridge\.gif:\ 2\ encodes,\ median\ [0-9.]+\ ms,\ [0-9.]+\ Mpx/s$ ]] ||
  fail "time --encode printed: $line"

[ $failures -eq 0 ] && echo "all corpogif checks passed"
exit $((failures > 0))
