#!/usr/bin/env bash
# Image-loading benchmarks on inputs made by fixed, seeded commands: a
# 12-megapixel photo-like JPEG (quality 90), the same picture as a 24-bit PCX,
# as a PNG and as a lossy WebP (quality 90), and a 1920 × 1080 bitmap for the
# 256-colour reduction.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${MURALTO_SKIP_SETUP:-}" ] || scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench -j"$(nproc)" --target muralto_image_bench

data=build/bench-data
. scripts/bench-inputs.sh
bench_photo_jpeg "$data"
if [ ! -f "$data/photo-12mp.pcx" ]; then
  # PCX lines hold at most 3072 encoded bytes: 1024 pixels of 24 bits, so
  # the 12-megapixel PCX is a tall one.
  /usr/bin/convert -size 1024x11719 -seed 43 plasma:fractal -blur 0x1 -depth 8 "$data/tall.ppm"
  ppmtopcx -24bit "$data/tall.ppm" > "$data/photo-12mp.pcx" 2>/dev/null
  rm -f "$data/tall.ppm"
fi
if [ ! -f "$data/photo-1080p.bmp" ]; then
  bench_plasma_ppm "$data/photo-12mp.ppm"
  /usr/bin/convert "$data/photo-12mp.ppm" -resize 1920x1080! -type TrueColor "BMP3:$data/photo-1080p.bmp"
  rm -f "$data/photo-12mp.ppm"
fi
if [ ! -f "$data/photo-12mp.png" ] || [ ! -f "$data/photo-12mp.webp" ]; then
  bench_plasma_ppm "$data/photo-12mp.ppm"
  /usr/bin/convert "$data/photo-12mp.ppm" -define png:color-type=2 "$data/photo-12mp.png"
  cwebp -quiet -q 90 "$data/photo-12mp.ppm" -o "$data/photo-12mp.webp"
  rm -f "$data/photo-12mp.ppm"
fi
MURALTO_BENCH_DATA="$PWD/$data" build/bench/bin/muralto_image_bench --benchmark_repetitions="${1:-3}" \
  --benchmark_report_aggregates_only=true
