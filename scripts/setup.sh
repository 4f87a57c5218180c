#!/usr/bin/env bash
# Prepares a Debian machine to build and test Muralto: installs the packages that
# are missing and cross-builds the image libraries for both Windows targets.
# Safe to run again: everything already present is left alone.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# The dependency cache lives outside the repository so that clean clones reuse it.
cache=${MURALTO_DEPS:-${XDG_CACHE_HOME:-$HOME/.cache}/muralto-deps}

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

packages=(
  cmake g++ make pkg-config dpkg-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 xvfb x11-utils nasm clang libclang-rt-14-dev
  libjpeg62-turbo-dev libgif-dev zlib1g-dev libpng-dev libwebp-dev webp googletest libgtest-dev libgmock-dev libbenchmark-dev
  imagemagick netpbm libjpeg-turbo-progs libvips-tools zip time
  fp-utils-3.2.2 ccache
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  sudo_if_needed apt-get update -qq
  sudo_if_needed apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A deb-src entry, made from the machine's own binary sources, so that
# 'apt-get source' can fetch the two libraries we cross-compile.
has_deb_src() {
  grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null
}
if ! has_deb_src; then
  echo "setup: adding source entries derived from the binary ones"
  tmp=$(mktemp)
  if ls /etc/apt/sources.list.d/*.sources >/dev/null 2>&1; then
    for f in /etc/apt/sources.list.d/*.sources; do
      sed -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb-src/' "$f" >>"$tmp"
      echo >>"$tmp"
    done
    sudo_if_needed cp "$tmp" /etc/apt/sources.list.d/muralto-src.sources
  fi
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >"$tmp" || true
    [ -s "$tmp" ] && sudo_if_needed cp "$tmp" /etc/apt/sources.list.d/muralto-src.list
  fi
  rm -f "$tmp"
  sudo_if_needed apt-get update -qq
fi

"$here/build-deps.sh" "$cache"
