#!/usr/bin/env bash
# Applying a wallpaper from the command line, timed whole (start-up, file
# read, decode, placement, bitmap written) in one run on the 12-megapixel
# seeded JPEG of scripts/bench-images.sh, against:
#   - a bare decode: libjpeg-turbo's djpeg writing to /dev/null;
#   - ImageMagick (one thread; memory limits raised, though Debian's policy
#     caps them at 256 MiB and 512 MiB mapped, which still holds this
#     picture's pixels in memory) doing the nearest same pipeline: -filter Triangle -resize 1920x1080 (fit, aspect kept) and
#     -rotate 15, with -swirl 90 before the resize for the twirl, written as
#     a 24-bit BMP.
# Ours is muralto-render from the optimised bench build. Each time is the
# best of several runs; the peak resident memory of each command is the
# largest GNU time saw over its runs.
#
# Targets: fit + rotation within 2 × the bare decode; ImageMagick with swirl
# at least 2 × our run with twirl; each of our runs' peak memory within three
# 4000 × 3000 24-bit pictures plus 32 MiB.
#
# Usage: scripts/bench-apply.sh [RUNS]   (MURALTO_BENCH_BUILD: build folder)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${MURALTO_SKIP_SETUP:-}" ] || scripts/setup.sh
runs=${1:-3}
build=${MURALTO_BENCH_BUILD:-build/bench}
cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target muralto-render >/dev/null

data=build/bench-data
. scripts/bench-inputs.sh
bench_photo_jpeg "$data"
photo=$data/photo-12mp.jpg
out=$build/apply-out
mkdir -p "$out"

# A given background colour: without one the tool picks the picture's most
# frequent colour, which decodes the photo a second time at 256 colours;
# that run is timed on its own below.
render=("$build/bin/muralto-render" "$photo" --screen 1920x1080 --fit --rotate 15 --color 0x000000)
im=(/usr/bin/convert -limit thread 1 -limit memory 4GiB -limit map 4GiB "$photo")
limit_bytes=$((3 * 4000 * 3000 * 3 + 32 * 1024 * 1024))

# Runs a command RUNS times; sets best_ms (the best wall-clock time) and
# peak_kib (the largest peak resident set, in KiB).
measure() {
  local start end ms i rss
  best_ms="" peak_kib=0
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$out/rss" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    end=$(date +%s%N)
    ms=$(((end - start) / 1000000))
    rss=$(tail -n 1 "$out/rss")
    if [ -z "$best_ms" ] || [ "$ms" -lt "$best_ms" ]; then best_ms=$ms; fi
    if [ "$rss" -gt "$peak_kib" ]; then peak_kib=$rss; fi
  done
}

mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b <= 0) print "-"; else printf "%.2f", a / b }'; }
verdict() { if [ "$1" -ne 0 ]; then echo PASS; else echo MISS; fi; }
at_most() { awk -v a="$1" -v b="$2" 'BEGIN { print (a != "-" && b != "-" && a + 0 <= b + 0) ? 1 : 0 }'; }

report() { # label, time, peak
  printf '%-58s %7d ms   peak RSS %7s MiB\n' "$1" "$2" "$(mib "$3")"
}

echo "Timing (best of $runs runs) on $photo ..."
measure djpeg -outfile /dev/null "$photo"
decode_ms=$best_ms
report "bare decode: djpeg to /dev/null" "$best_ms" "$peak_kib"

measure "${render[@]}" --out "$out/ours.bmp"
ours_ms=$best_ms ours_kib=$peak_kib
report "ours: muralto-render --fit --rotate 15" "$best_ms" "$peak_kib"

measure "${render[@]:0:7}" --out "$out/ours-default-colour.bmp"
default_kib=$peak_kib
report "ours: the same with the most frequent colour as background" "$best_ms" "$peak_kib"

measure "${render[@]}" --twirl --out "$out/ours-twirl.bmp"
twirl_ms=$best_ms twirl_kib=$peak_kib
report "ours: muralto-render --fit --rotate 15 --twirl" "$best_ms" "$peak_kib"

measure "${im[@]}" -filter Triangle -resize 1920x1080 -rotate 15 "BMP3:$out/magick.bmp"
magick_ms=$best_ms
report "ImageMagick: -resize 1920x1080 -rotate 15" "$best_ms" "$peak_kib"

measure "${im[@]}" -swirl 90 -filter Triangle -resize 1920x1080 -rotate 15 "BMP3:$out/magick-swirl.bmp"
swirl_ms=$best_ms
report "ImageMagick: -swirl 90 -resize 1920x1080 -rotate 15" "$best_ms" "$peak_kib"

echo
r=$(ratio "$ours_ms" "$decode_ms")
printf '%-58s %7s   target <= 2   %s\n' "fit+rot15 / bare decode" "$r" "$(verdict "$(at_most "$r" 2)")"
r=$(ratio "$swirl_ms" "$twirl_ms")
printf '%-58s %7s   target >= 2   %s\n' "ImageMagick with swirl / ours with twirl" "$r" \
  "$(verdict "$(at_most 2 "$r")")"
printf '%-58s %7s   (no target)\n' "ImageMagick without swirl / ours without twirl" "$(ratio "$magick_ms" "$ours_ms")"
for run in "fit+rot15:$ours_kib" "fit+rot15, default colour:$default_kib" "fit+rot15+twirl:$twirl_kib"; do
  kib=${run#*:}
  printf '%-58s %7s MiB of %s MiB   %s\n' "peak RSS, ${run%%:*}" "$(mib "$kib")" "$(mib $((limit_bytes / 1024)))" \
    "$(verdict $((kib * 1024 <= limit_bytes)))"
done
rm -f "$out/rss"
