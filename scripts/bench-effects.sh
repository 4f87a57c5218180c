#!/usr/bin/env bash
# The pixel effects against the nearest ImageMagick operations and libvips,
# in one run on one generated 4000 × 3000 picture. Only the operation is
# timed: our timer reads the file before it starts the clock; ImageMagick
# (one thread, limits raised so that nothing goes to disk) reads a memory-
# mapped MPC copy and writes to null:, and the same command without the
# operation is taken off; libvips (one thread) reads and writes its own .v
# format, and an operation of no cost with an output of the same size is
# taken off. Each time is the best of several runs.
#
# Usage: scripts/bench-effects.sh [RUNS]   (MURALTO_BENCH_BUILD: build folder)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${MURALTO_SKIP_SETUP:-}" ] || scripts/setup.sh
runs=${1:-3}
build=${MURALTO_BENCH_BUILD:-build/bench}
cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target muralto_effects_time >/dev/null

data=$build/effects-data
mkdir -p "$data"
if [ ! -f "$data/picture.v" ]; then
  echo "Making the 4000 x 3000 picture (seeded plasma) ..."
  /usr/bin/convert -size 4000x3000 -seed 42 plasma:fractal -blur 0x1 -depth 8 "$data/picture.ppm"
  /usr/bin/convert "$data/picture.ppm" -type TrueColor "BMP3:$data/picture.bmp"
  /usr/bin/convert "$data/picture.ppm" "$data/picture.mpc"
  vips copy "$data/picture.ppm" "$data/picture.v"
  rm -f "$data/picture.ppm"
fi

ours=("$build/bin/muralto_effects_time" "$data/picture.bmp")
im=(/usr/bin/convert -limit thread 1 -limit memory 16GiB -limit map 32GiB -limit area 16GP -limit disk 64GiB)
export VIPS_CONCURRENCY=1

# The best wall-clock time of RUNS runs of a command, in milliseconds.
best_ms() {
  local best="" start end ms i
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    end=$(date +%s%N)
    ms=$(((end - start) / 1000000))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}

magick_ms() { # ImageMagick's time for the operation given as arguments
  local with without
  with=$(best_ms "${im[@]}" "$data/picture.mpc" "$@" null:)
  without=$(best_ms "${im[@]}" "$data/picture.mpc" null:)
  echo $((with - without))
}

vips_ms() { # libvips: operation and arguments; the baseline is "embed" to the output's size
  local op=$1 with w h without
  shift
  with=$(best_ms vips "$op" "$data/picture.v" "$data/out.v" "$@")
  w=$(vipsheader -f width "$data/out.v")
  h=$(vipsheader -f height "$data/out.v")
  without=$(best_ms vips embed "$data/picture.v" "$data/out.v" 0 0 "$w" "$h")
  echo $((with - without))
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b <= 0) print "-"; else printf "%.1f", a / b }'; }

report() { # label, our time, other tool's name, its time
  printf '%-52s ours %8.1f ms   %-36s %7d ms   ratio %s\n' "$1" "$2" "$3" "$4" "$(ratio "$4" "$2")"
}

echo "Timing (best of $runs runs, one thread each) ..."
t=$("${ours[@]}" resize-smooth "$runs")
report "ResizeSmooth 4000x3000 -> 1920x1080" "$t" "convert -filter Triangle -resize" \
  "$(magick_ms -filter Triangle -resize '1920x1080!')"
report "ResizeSmooth 4000x3000 -> 1920x1080" "$t" "vips resize --kernel linear" \
  "$(vips_ms resize 0.48 --vscale 0.36 --kernel linear)"
t=$("${ours[@]}" rotate-smooth "$runs")
report "RotateSmooth 15 degrees onto a background" "$t" "convert -rotate 15" "$(magick_ms -rotate 15)"
report "RotateSmooth 15 degrees onto a background" "$t" "vips rotate 15" "$(vips_ms rotate 15)"
t=$("${ours[@]}" twirl "$runs")
report "ApplyTwirl (amount 0.15 x width)" "$t" "convert -swirl 90" "$(magick_ms -swirl 90)"
t=$("${ours[@]}" fisheye "$runs")
report "ApplyFishEye (amount 1.0)" "$t" "convert -implode -0.5" "$(magick_ms -implode -0.5)"
# Our waves: amplitude 1 % and period 2.5 % of the width (a wavelength of 2π × 100 pixels).
t=$("${ours[@]}" waves "$runs")
report "ApplyWaves (amplitude 40, period 100)" "$t" "convert -wave 40x628" "$(magick_ms -wave 40x628)"
rm -f "$data/out.v"
