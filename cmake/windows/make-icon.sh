#!/usr/bin/env bash
# Writes a Windows icon file (.ico) holding the given square PNG pictures as they are, one
# entry each: Windows (Vista and later) and Wine read PNG entries of any size, and the
# pictures stay byte for byte the ones drawn for the desktop icons.
#   make-icon.sh OUTPUT.ico PICTURE.png...
set -euo pipefail
out=$1
shift
[ $# -ge 1 ] || { echo "usage: make-icon.sh OUTPUT.ico PICTURE.png..." >&2; exit 2; }

# Little-endian integers as printf escapes.
u16() { printf '\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)); }
u32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) \
  $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
# A PNG file's width, from its header chunk (bytes 16 to 19, big-endian).
png_width() { od -A n -t u1 -j 16 -N 4 "$1" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}'; }

tmp=$out.part
{
  printf "$(u16 0)$(u16 1)$(u16 $#)"  # reserved, type 1 (icon), number of entries
  offset=$((6 + 16 * $#))
  for picture in "$@"; do
    [ "$(head -c 8 "$picture" | od -A n -t x1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
      { echo "make-icon.sh: $picture is not a PNG file" >&2; exit 1; }
    width=$(png_width "$picture")
    [ "$width" -ge 1 ] && [ "$width" -le 256 ] ||
      { echo "make-icon.sh: $picture is $width pixels wide; an icon is 1 to 256" >&2; exit 1; }
    size=$(stat -c %s "$picture")
    # Width and height (0 stands for 256), no palette, reserved, 1 plane, 32 bits a pixel.
    printf "\\x$(printf %02x $((width & 255)))\\x$(printf %02x $((width & 255)))\\x00\\x00"
    printf "$(u16 1)$(u16 32)$(u32 "$size")$(u32 "$offset")"
    offset=$((offset + size))
  done
  cat "$@"
} >"$tmp"
mv "$tmp" "$out"
