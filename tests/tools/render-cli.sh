#!/usr/bin/env bash
# The command line of muralto-render: exit statuses, messages, what is left
# on disk after a failure, and the logos' headers.
# usage: render-cli.sh RENDER FIXTURES
set -u
render=$1 fixtures=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# expect STATUS ARGS...: runs the tool, keeps stdout and stderr in $work.
expect() {
  local want=$1; shift
  "$render" "$@" >"$work/stdout" 2>"$work/stderr"
  local got=$?
  [ "$got" = "$want" ] || fail "status $got, not $want, for: $* ($(head -c 200 "$work/stderr"))"
}
# u32 FILE OFFSET: a little-endian 32-bit field of a file.
u32() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }
u16() { od -An -tu2 -j"$2" -N2 "$1" | tr -d ' '; }

# Arguments.
expect 0 --help
grep -q '^usage: muralto-render' "$work/stdout" || fail "--help prints no usage"
expect 2 "$fixtures/bmp-24.bmp" --screen 64x48
grep -q '^usage:' "$work/stderr" || fail "no output named gives no usage"
expect 2 "$fixtures/bmp-24.bmp" --screen 64x48 --out "$work/a.bmp" --bogus
expect 2 "$fixtures/bmp-24.bmp" --screen 64x --out "$work/a.bmp"
expect 2 "$fixtures/bmp-24.bmp" --screen 64x48 --color 0x1234567 --out "$work/a.bmp"
expect 2 "$fixtures/bmp-24.bmp" --screen 64x48 --depth 16 --out "$work/a.bmp"
expect 0 "$fixtures/bmp-24.bmp" --x -212 --screen 64x48 --y -3 --out "$work/a.bmp"
[ "$(u32 "$work/a.bmp" 18)x$(u32 "$work/a.bmp" 22)" = 64x48 ] || fail "the wallpaper is not the screen's size"

# Failures leave nothing behind.
expect 1 "$work/missing.bmp" --screen 64x48 --out "$work/b.bmp"
grep -qF "\"$work/missing.bmp\" does not exist!" "$work/stderr" || fail "missing image: $(cat "$work/stderr")"
printf 'not a picture' >"$work/broken.jpg"
expect 1 "$work/broken.jpg" --screen 64x48 --out "$work/b.bmp"
[ -e "$work/b.bmp" ] && fail "a broken image left an output"
expect 1 "$fixtures/bmp-24.bmp" --screen 64x48 --out "$work/no-such-folder/c.bmp" --startup-logo "$work/logo.sys"
[ -e "$work/logo.sys" ] && fail "a failed output left another one behind"

# Logos: 320 x 400 at 8 bits; the start-up one marks 236 important colours.
expect 0 "$fixtures/jpeg-baseline.jpg" --screen 1024x768 --depth 24 --startup-logo "$work/logo.sys" \
  --shutdown-logo "$work/logow.sys" --correct-logos
for f in logo.sys logow.sys; do
  [ "$(u32 "$work/$f" 18)x$(u32 "$work/$f" 22)x$(u16 "$work/$f" 28)" = 320x400x8 ] || fail "$f is not 320x400x8"
done
[ "$(u32 "$work/logo.sys" 50)" = 236 ] || fail "the start-up logo does not keep 236 important colours"
[ "$(u32 "$work/logow.sys" 50)" = 0 ] || fail "the shut-down logo marks important colours"

[ "$failures" = 0 ] && echo "all muralto-render checks passed"
exit $((failures > 0))
