#!/usr/bin/env bash
# Runs the installation tests in a Wine prefix of their own, made for the run
# and deleted after it, with the release zip unpacked into its "Program Files".
#
# They cannot share the build's prefix: the uninstall writes WinInit.ini and
# pending deletions, which Wine carries out at the next start of the prefix
# (it would delete the build's own files), and the first run puts a shortcut
# into the StartUp folder, whose programs Wine starts with the prefix.
#
#   run-in-own-prefix.sh <build folder> <bin folder>
set -euo pipefail

build=$1
bin=$2
shift 2
wine64=/usr/lib/wine/wine64
[ -x "$wine64" ] || wine64=$(command -v wine64 || command -v wine)

# The build's display (and its Xvfb, started on first use) serves both prefixes.
"$build/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1 || true
DISPLAY=$(cat "$build/wine/display.current")
export DISPLAY

work=$(mktemp -d "$build/wine/own-prefix.XXXXXX")
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="winhlp32.exe=d;winemenubuilder.exe=d;winedbg.exe=d;mscoree=d;mshtml=d"

finish() {
  WINEPREFIX="$work/prefix" timeout 30 wineserver -k 2>/dev/null || true
  WINEPREFIX="$work/prefix" timeout 30 wineserver -w 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

quiet() { "$@" </dev/null >/dev/null 2>&1 9>&-; }

quiet timeout 180 "$wine64" wineboot -i || true
# A virtual desktop as in the build's prefix: it has the notification area
# the program's icon lives in.
quiet timeout 60 "$wine64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
quiet timeout 60 "$wine64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f
timeout 30 wineserver -k 2>/dev/null || true
timeout 30 wineserver -w 2>/dev/null || true
quiet wineserver -p || true
quiet timeout 60 "$wine64" cmd /c exit || true

# What a user gets: the release zip unpacked into a folder with a space in
# its name (the command strings must quote it).
folder="$WINEPREFIX/drive_c/Program Files/Muralto Test"
mkdir -p "$folder"
zip=$(ls "$build"/Muralto-*-win64.zip)
(cd "$folder" && cmake -E tar xf "$zip")

MURALTO_INSTALLED='C:\Program Files\Muralto Test\Muralto.exe' \
  timeout -k 5 600 "$wine64" "$bin/muralto_install_tests.exe" "$@" </dev/null 9>&-
