#!/usr/bin/env bash
# Draws the program icon (a framed landscape) and writes src/resources/Muralto.ico.
# Run by hand when the artwork changes; the result is committed.
set -euo pipefail
out=$(cd "$(dirname "$0")/../src/resources" && pwd)
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
for s in 16 32 48; do
  /usr/bin/convert -size 48x48 xc:none \
    -fill '#6b3f1d' -draw 'roundrectangle 1,3 46,44 4,4' \
    -fill '#f4e7c5' -draw 'rectangle 5,7 42,40' \
    -fill '#7fc4f0' -draw 'rectangle 7,9 40,38' \
    -fill '#ffd23c' -draw 'circle 31,16 35,16' \
    -fill '#3a8d3a' -draw 'polygon 7,38 7,27 16,20 25,29 31,25 40,31 40,38' \
    -fill '#2a6a2a' -draw 'polygon 7,38 15,30 26,38' \
    -resize ${s}x${s} "$tmp/icon$s.png"
done
/usr/bin/convert "$tmp/icon16.png" "$tmp/icon32.png" "$tmp/icon48.png" "$out/Muralto.ico"
