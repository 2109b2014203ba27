#!/usr/bin/env bash
# The branding writer from the outside: what it writes reads back, what it shows of a
# hand-made file, and the messages for bad requests.
set -u
tool=$1
version=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_show() {  # file, expected output[, expected exit status]
  local got status
  got=$("$tool" show "$1" 2> "$work/show-err")
  status=$?
  [ "$status" -eq "${3:-0}" ] || fail "show $1 exited $status: $(cat "$work/show-err")"
  [ "$got" = "$2" ] || fail "show $1 printed:"$'\n'"$got"$'\n'"expected:"$'\n'"$2"
}

# Written values read back exactly, non-ASCII and the Windows separators included.
"$tool" write "$work/3.dat" --name-text "Café && Co" --title "Body Check" \
  --link "https://example.invalid/a?b=c" --banner-file 'art\banner.gif' --picture-banner \
  --animated-banner --name-font-size 20 --title-font-size 9 --font-name Arial 2> /dev/null ||
  fail "write exited $?"
expect_show "$work/3.dat" "NameText=Café && Co
Title=Body Check
Link=https://example.invalid/a?b=c
ShowPictureBanner=-1
ShowAnimatedBanner=-1
BannerFile=art\\banner.gif
NameFontSize=20
TitleFontSize=9
FontName=Arial"

# Without options the file holds the built-in defaults.
"$tool" write "$work/defaults.dat" || fail "write defaults exited $?"
expect_show "$work/defaults.dat" "NameText=(Your company name && link or small banner here)
Title=Corpometer
Link=
ShowPictureBanner=0
ShowAnimatedBanner=0
BannerFile=
NameFontSize=17
TitleFontSize=8
FontName=Tahoma"

# A seed fixes the keys: the same options and seed write the same bytes, another seed
# other keys.
"$tool" write "$work/seed-a.dat" --title "Body Check" --seed 4294967295 || fail "write --seed exited $?"
"$tool" write "$work/seed-b.dat" --title "Body Check" --seed 4294967295 || fail "write --seed exited $?"
"$tool" write "$work/seed-c.dat" --title "Body Check" --seed 1 || fail "write --seed exited $?"
cmp -s "$work/seed-a.dat" "$work/seed-b.dat" || fail "the same seed wrote different files"
cmp -s "$work/seed-a.dat" "$work/seed-c.dat" && fail "different seeds wrote the same file"

# A hand-made file: a 4-byte text decodes empty, a 5-byte one to one character, a body
# byte below its key empties the whole text (which is said, with status 1), and the key
# cycle k1 k2 k3 k4 k1 with k4 the last byte.
printf '\004\000abcd\005\000\012\024\036Kc\007\000\001\001\062bc\012\000\001\000\000\000\011\000\001\002\003bdfkf\007\021\000\010\000\006\000Tahoma' \
  > "$work/hand.dat"
expect_show "$work/hand.dat" "NameText=
Title=A
Link=
ShowPictureBanner=1
ShowAnimatedBanner=0
BannerFile=abcde
NameFontSize=17
TitleFontSize=8
FontName=Tahoma" 1
[ "$(cat "$work/show-err")" = "corpometer-brand: \"$work/hand.dat\" is damaged: the field Link cannot be descrambled and shows blank" ] ||
  fail "show of a damaged file said: $(cat "$work/show-err")"
# Random bytes: blank fields, said with the field where the file gives out.
head -c 1000 /dev/urandom > "$work/random.dat"
"$tool" show "$work/random.dat" > /dev/null 2> "$work/err"
[ $? -eq 1 ] || fail "show of random bytes did not exit 1"
grep -q "random.dat\" is damaged: .*field" "$work/err" || fail "show of random bytes said: $(cat "$work/err")"

# Bad requests: clear messages and distinct exit codes, nothing written.
expect_error() {  # expected exit code, expected message part, command...
  local code=$1 part=$2; shift 2
  local err; err=$("$@" 2>&1 >/dev/null); local got=$?
  [ "$got" -eq "$code" ] || fail "$* exited $got, expected $code"
  case "$err" in *"$part"*) ;; *) fail "$* said: $err (expected: $part)" ;; esac
}
expect_error 2 "unknown option --colour" "$tool" write "$work/x.dat" --colour red
expect_error 2 'cannot store: "中" (U+4E2D)' "$tool" write "$work/x.dat" --title "中文"
expect_error 2 'cannot store: "Ω" (U+03A9)' "$tool" write "$work/x.dat" --name-text "Café Ω"
expect_error 2 "too long" "$tool" write "$work/x.dat" --link "$(head -c 70000 /dev/zero | tr '\0' a)"
expect_error 2 "needs a value" "$tool" write "$work/x.dat" --title
expect_error 2 "whole number" "$tool" write "$work/x.dat" --name-font-size big
expect_error 2 "from 0 to 4294967295" "$tool" write "$work/x.dat" --seed 4294967296
expect_error 2 "from 0 to 4294967295" "$tool" write "$work/x.dat" --seed -1
[ -e "$work/x.dat" ] && fail "a refused write left a file"
expect_error 1 "cannot write" "$tool" write "$work/no/such/dir/3.dat"
expect_error 1 "cannot read" "$tool" show "$work/missing.dat"
# A pipe is refused at once rather than waited on, and a file far larger than any branding
# file is not read.
mkfifo "$work/pipe.dat"
expect_error 1 "not a regular file" timeout 20 "$tool" show "$work/pipe.dat"
expect_error 1 "not a regular file" timeout 20 "$tool" write "$work/pipe.dat"
head -c 70000 /dev/zero > "$work/huge.dat"
expect_error 1 "too large" "$tool" show "$work/huge.dat"
: > "$work/empty.dat"
expect_error 1 "is empty" "$tool" show "$work/empty.dat"
# What was wrong comes first, then the usage.
for args in "" "frob" "--frob" "write" "show"; do
  # shellcheck disable=SC2086
  "$tool" $args > /dev/null 2> "$work/err"
  status=$?
  [ $status -eq 2 ] || fail "'$args' exited $status"
  first=$(head -n 1 "$work/err")
  case "$first" in "corpometer-brand: "*) ;; *) fail "'$args' said first: $first" ;; esac
  grep -q "^usage: " "$work/err" || fail "'$args' gave no usage"
done

# Warnings (status 0, the file written): a banner not beside the file, one that cannot be
# shown or played or that the program refuses, a title too long for its line. Nothing for a banner and title that work.
mkdir "$work/brand"
printf 'not a picture' > "$work/brand/notes.txt"
cp "$(dirname "$0")/../data/gif/pygif/transparent.gif" "$work/brand/banner.gif"
expect_warning() {  # expected warning part ("" for none), write options...
  local part=$1; shift
  rm -f "$work/brand/3.dat"
  "$tool" write "$work/brand/3.dat" "$@" 2> "$work/err" || fail "write $* exited $?"
  [ -s "$work/brand/3.dat" ] || fail "write $* wrote nothing"
  if [ -z "$part" ]; then
    [ -s "$work/err" ] && fail "write $* warned: $(cat "$work/err")"
  else
    grep -q "warning: .*$part" "$work/err" || fail "write $* said: $(cat "$work/err") (expected: $part)"
  fi
}
expect_warning "" --banner-file banner.gif --animated-banner --title "ACME BMI Calculator Professional"
expect_warning "" --banner-file banner.gif --picture-banner
expect_warning "missing.gif must be beside" --banner-file missing.gif --animated-banner
expect_warning "not a GIF that Corpometer can play" --banner-file notes.txt --animated-banner
# A banner the program refuses to show: outside the folder (even where a file is there), a pipe.
expect_warning "must lie in the folder" --banner-file ../brand/banner.gif --animated-banner
mkfifo "$work/brand/pipe.gif"
expect_warning "not a regular file" --banner-file pipe.gif --picture-banner
expect_warning "not a picture that Corpometer can show" --banner-file notes.txt --picture-banner
expect_warning "too long for its line" --title "ACME BMI Calculator Professional Edition"
expect_warning "too long for its line" --title "Supercalifragilistic"
expect_warning "" --name-text "ACME Health && Fitness of Greater Springfield"
expect_warning "name .* too long for its line" \
  --name-text "ACME Health && Fitness International Corporation of Greater Springfield"
# A name that looks absolute is said once, as given, with where it is looked for.
expect_warning "banner file /home/me/anim.gif is looked for inside the folder of $work/brand/3.dat, as $work/brand/home/me/anim.gif," \
  --banner-file /home/me/anim.gif --animated-banner
grep -q "//" "$work/err" && fail "a doubled separator in: $(cat "$work/err")"

# Help and version go to standard output with status 0.
out=$("$tool" --help 2> "$work/err") || fail "--help exited $?"
case "$out" in *"usage: corpometer-brand write FILE"*"--seed N"*) ;; *) fail "--help printed: $out" ;; esac
[ -s "$work/err" ] && fail "--help wrote to standard error: $(cat "$work/err")"
out=$("$tool" --version) || fail "--version exited $?"
[ "$out" = "corpometer-brand $version" ] || fail "--version printed '$out'"

if [ "$failures" -eq 0 ]; then echo "corpometer-brand: all checks passed"; else exit 1; fi
