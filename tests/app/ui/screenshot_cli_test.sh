#!/usr/bin/env bash
# `corpometer --screenshot FILE.png` without a display: the window with the branding it
# finds drawn into the file (a GIF banner from the user's 3.dat over the name line), exit
# status 0; a file it cannot write is said, with status 1.
set -u
exe=$1
brand=$2
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# The number of pixels of COLOUR in a rectangle (WxH+X+Y) of a picture.
count() {
  convert "$1" -crop "$2" +repage -fill white -opaque "$3" -fill black +opaque white \
    -format '%[fx:round(mean*w*h)]' info:
}

"$exe" --screenshot "$work/plain.png" 2>"$work/err" ||
  fail "--screenshot exited $?: $(cat "$work/err")"
if [ -f "$work/plain.png" ]; then
  # Painted: the branding strip's dark blue in the top-left corner.
  IFS=, read -r r g b < <(convert "$work/plain.png" -format \
    '%[fx:int(255*p{3,3}.r)],%[fx:int(255*p{3,3}.g)],%[fx:int(255*p{3,3}.b)]' info:)
  [ "$r" -lt 60 ] && [ "$b" -gt "$r" ] || fail "the screenshot's corner is $r,$g,$b, not the strip's blue"
fi

# A magenta animated banner of the name line's size, from the user's branding folder.
mkdir -p "$XDG_CONFIG_HOME/corpometer"
convert -size 375x60 xc:'#FF00FF' "$XDG_CONFIG_HOME/corpometer/banner.gif"
"$brand" write "$XDG_CONFIG_HOME/corpometer/3.dat" --banner-file banner.gif --animated-banner \
  >/dev/null
"$exe" --screenshot "$work/branded.png" 2>"$work/err" || fail "branded --screenshot exited $?"
if [ -f "$work/branded.png" ]; then
  magenta=$(count "$work/branded.png" 488x80+0+0 '#FF00FF')
  [ "$magenta" -ge 22000 ] || fail "the branded screenshot shows $magenta banner pixels"
fi

# Not written: a folder that is not there.
"$exe" --screenshot "$work/no-such-folder/shot.png" 2>"$work/err"
status=$?
[ $status -eq 1 ] || fail "--screenshot into a missing folder exited $status"
grep -q "no-such-folder/shot.png" "$work/err" ||
  fail "no message for the missing folder: $(cat "$work/err")"

if [ "$failures" -eq 0 ]; then echo "corpometer --screenshot: all checks passed"; else exit 1; fi
