#!/usr/bin/env bash
# The image window's interactive paths: on the host, one drag step for a
# 1920 × 1080 screen with a fitted 4000 × 3000 picture and the effects box's
# rebuild on that picture (Google Benchmark); under Wine, the same steps
# through the real window and its blit on Wine's 1024 × 768 desktop.
#
# Usage: scripts/bench-window.sh [RUNS]   (MURALTO_BENCH_BUILD: build folder)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${MURALTO_SKIP_SETUP:-}" ] || scripts/setup.sh
runs=${1:-3}
build=${MURALTO_BENCH_BUILD:-build/bench}
cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target muralto_window_bench >/dev/null
"$build/bin/muralto_window_bench" --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true

cmake --preset win64 >/dev/null
cmake --build --preset win64 -j"$(nproc)" --target muralto_window_time >/dev/null
build/win64/wine-run.sh build/win64/bin/muralto_window_time.exe
