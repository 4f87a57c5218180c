#!/usr/bin/env bash
# Fuzzes every decoder with libFuzzer under AddressSanitizer and UBSan.
# Usage: scripts/fuzz.sh [seconds-per-target]   (default 300)
# New inputs go to build/fuzz/corpus/<target>; a crash leaves its input in
# build/fuzz/crashes/<target>/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}

[ -n "${MURALTO_SKIP_SETUP:-}" ] || scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

status=0
for target in bmp pcx ico gif jpeg png webp; do
  work=build/fuzz/corpus/$target crashes=build/fuzz/crashes/$target
  mkdir -p "$work" "$crashes"
  echo "== fuzz $target for ${seconds}s"
  if ! build/fuzz/bin/fuzz_$target -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
       -print_final_stats=0 -artifact_prefix="$crashes/" "$work" "tests/fuzz/corpus/$target" \
       >"build/fuzz/$target.log" 2>&1; then
    echo "fuzz_$target found a problem:"; tail -n 40 "build/fuzz/$target.log"
    status=1
  else
    grep -E '^Done [0-9]+ runs' "build/fuzz/$target.log" | tail -n 1 || true
  fi
done
exit $status
