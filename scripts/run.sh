#!/usr/bin/env bash
# Builds the 64-bit program and starts it under Wine in a virtual desktop
# (an Xvfb screen when no display is set). Usage: scripts/run.sh [image]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j"$(nproc)" --target Muralto

trap 'scripts/wine-stop.sh build/win64' EXIT
args=()
if [ $# -gt 0 ]; then
  # Wine shows the Linux file system as drive Z:.
  args+=("Z:$(realpath "$1" | tr / '\\')")
fi

# Prepare the prefix and the display first, so we can say where to look.
build/win64/wine-run.sh cmd /c exit
display=$(cat build/win64/wine/display.current)
cat <<MSG
Muralto runs on display $display (virtual desktop 1024x768). To look at it:
  DISPLAY=$display import -window root muralto.png
Close it from its tray menu (right-click the icon at the bottom right), or press Ctrl+C here.
MSG
MURALTO_WINE_TIMEOUT=0 build/win64/wine-run.sh build/win64/bin/Muralto.exe "${args[@]}"
