#!/usr/bin/env bash
# Stops what the Wine wrapper of a build folder left running: its wineserver
# (with every Windows program of the prefix) and the Xvfb it started.
# Usage: wine-stop.sh BUILD-FOLDER
[ -d "${1:?usage: wine-stop.sh BUILD-FOLDER}/wine" ] || exit 0
state="$(cd "$1/wine" && pwd)"
if [ -d "$state/prefix" ]; then
  WINEPREFIX="$state/prefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$state/prefix" timeout 20 wineserver -w 2>/dev/null || true
fi
if [ -f "$state/xvfb.pid" ]; then
  kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
  rm -f "$state/xvfb.pid" "$state/display"
fi
exit 0
