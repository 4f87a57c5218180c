# shellcheck shell=bash
# Sourced by the benchmark scripts: the inputs they share, made by fixed,
# seeded commands so that every run and every machine times the same files.

# The 4000 × 3000 photo-like picture (seeded plasma, slightly blurred) as a
# PPM file.
bench_plasma_ppm() {
  /usr/bin/convert -size 4000x3000 -seed 42 plasma:fractal -blur 0x1 -depth 8 "$1"
}

# FOLDER/photo-12mp.jpg: that picture through cjpeg at quality 90. Made once;
# later calls keep the file.
bench_photo_jpeg() {
  local data=$1
  [ -f "$data/photo-12mp.jpg" ] && return 0
  mkdir -p "$data"
  bench_plasma_ppm "$data/photo-12mp.ppm"
  cjpeg -quality 90 "$data/photo-12mp.ppm" >"$data/photo-12mp.jpg.part"
  mv "$data/photo-12mp.jpg.part" "$data/photo-12mp.jpg"
  rm -f "$data/photo-12mp.ppm"
}
