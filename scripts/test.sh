#!/usr/bin/env bash
# The project's test command: installs what is missing, builds the three
# presets with warnings as errors, runs every test of host and win64 and
# checks that the Linux and Windows muralto-render write the same bitmaps.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

jobs=$(nproc)
# Nothing the Windows tests started may outlive this script.
trap 'scripts/wine-stop.sh build/win64' EXIT

for preset in host win64 win32; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$jobs"
done

status=0
echo "== test host"
ctest --preset host -j"$jobs" || status=1
echo "== test win64 (under Wine)"
# A suite that fails is run once more: when the last program on Wine's
# virtual desktop ends, the desktop goes away for a moment, and a suite
# started just then cannot create its first window. A real fault fails twice.
ctest --preset win64 -j"$jobs" --repeat until-pass:2 || status=1
echo "== muralto-render: Linux and Windows write the same bitmaps"
scripts/check-render-parity.sh build/host build/win64 || status=1
echo "== short fuzz run of every decoder"
MURALTO_SKIP_SETUP=1 scripts/fuzz.sh "${MURALTO_FUZZ_SECONDS:-10}" || status=1
exit $status
