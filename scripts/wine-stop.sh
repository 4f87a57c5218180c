#!/usr/bin/env bash
# Stops what the Wine wrapper of a build folder left running: its wineserver
# and the Xvfb it started. Usage: wine-stop.sh BUILD-FOLDER
state="${1:?usage: wine-stop.sh BUILD-FOLDER}/wine"
[ -d "$state" ] || exit 0
WINEPREFIX="$state/prefix" wineserver -k 2>/dev/null || true
if [ -f "$state/xvfb.pid" ]; then
  kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
  rm -f "$state/xvfb.pid" "$state/display"
fi
exit 0
