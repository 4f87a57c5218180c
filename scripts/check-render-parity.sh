#!/usr/bin/env bash
# Checks that the Linux and the Windows muralto-render write the same bytes,
# for the wallpaper and for both Windows logos:
# a few pictures of each decoded format (BMP, JPEG, GIF, PCX, PNG, WebP, from the host
# build's fixtures) rendered with placements that go through every step of
# the renderer (centring, fit with rotation, tiling, scaling with all the
# pixel effects and a given colour, a 256-colour screen). The Windows program
# runs under Wine through the build folder's wrapper and sees the files
# through drive Z:. On a difference the outputs are kept and named.
#
# Usage: scripts/check-render-parity.sh HOST_BUILD_DIR WIN_BUILD_DIR
set -euo pipefail
host=${1:?usage: check-render-parity.sh HOST_BUILD_DIR WIN_BUILD_DIR}
win=${2:?usage: check-render-parity.sh HOST_BUILD_DIR WIN_BUILD_DIR}
host_render=$host/bin/muralto-render
win_render=$win/bin/muralto-render.exe
fixtures=$host/fixtures
for f in "$host_render" "$win_render" "$win/wine-run.sh" "$fixtures/fixtures.stamp"; do
  [ -e "$f" ] || { echo "check-render-parity: $f is missing; build both folders first" >&2; exit 2; }
done

# Wine shows the Linux file system as drive Z:.
winpath() { printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"; }

out=$(mktemp -d "${TMPDIR:-/tmp}/render-parity.XXXXXX")
# The fixtures are tiny; one larger picture (the fixtures' plasma enlarged)
# puts a few hundred thousand pixels through the effects' sine, cosine and
# arc tangent, whose results come from each system's own maths library.
/usr/bin/convert "$fixtures/src.ppm" -resize 800x500! -type TrueColor "BMP3:$out/large-24.bmp"
images=(bmp-24.bmp bmp-8.bmp jpeg-baseline.jpg gif-interlaced.gif pcx-24.pcx pcx-8bit.pcx png-rgba8.png webp-lossy.webp
        "$out/large-24.bmp")
placements=(
  ""
  "--fit --rotate 15"
  "--tile --x -212"
  "--percent 50 --mirror --fisheye --twirl --waves --color 0x336699"
  "--depth 8"
)
screen=640x480

failed=0 cases=0
for image in "${images[@]}"; do
  for i in "${!placements[@]}"; do
    read -r -a args <<<"${placements[$i]}"
    file=$image
    [[ $image == /* ]] || file=$fixtures/$image
    name=$(basename "${image%.*}")-$i
    label="$(basename "$image") ${placements[$i]:-(centred)}"
    cases=$((cases + 1))
    rc=0
    "$host_render" "$file" --screen "$screen" ${args[@]+"${args[@]}"} --out "$out/$name.host.bmp" \
      --startup-logo "$out/$name.host.logo" --shutdown-logo "$out/$name.host.logow" \
      >"$out/$name.host.log" 2>&1 || rc=$?
    if [ $rc -ne 0 ]; then
      echo "FAIL  $label: the Linux program exited with $rc:"; cat "$out/$name.host.log"
      failed=$((failed + 1)); continue
    fi
    run_windows() {
      rc=0
      "$win/wine-run.sh" "$win_render" "$(winpath "$file")" --screen "$screen" ${args[@]+"${args[@]}"} \
        --out "$(winpath "$out/$name.win.bmp")" --startup-logo "$(winpath "$out/$name.win.logo")" \
        --shutdown-logo "$(winpath "$out/$name.win.logow")" >"$out/$name.win.log" 2>&1 || rc=$?
    }
    run_windows
    # The program reports every failure of its own on standard error; a run
    # that ends without a word and without output did not get to start under
    # Wine (seen once in many runs), and is tried once more, saying so.
    if [ $rc -ne 0 ] && [ ! -s "$out/$name.win.log" ] && [ ! -e "$out/$name.win.bmp" ]; then
      echo "again $label: Wine ended the Windows program silently with $rc"
      run_windows
    fi
    if [ $rc -ne 0 ]; then
      echo "FAIL  $label: the Windows program exited with $rc:"; cat "$out/$name.win.log"
      failed=$((failed + 1)); continue
    fi
    same=1
    for kind in bmp logo logow; do
      if ! difference=$(cmp "$out/$name.host.$kind" "$out/$name.win.$kind" 2>&1); then
        echo "FAIL  $label: the Linux and Windows files .$kind differ ($difference)"
        same=0
      fi
    done
    if [ $same = 1 ]; then echo "same  $label"; else failed=$((failed + 1)); fi
  done
done

if [ "$failed" -gt 0 ]; then
  echo "check-render-parity: $failed of $cases renderings failed or differ between Linux and Windows; outputs kept in $out"
  exit 1
fi
rm -rf "$out"
echo "check-render-parity: all $cases renderings are byte-identical"
