#!/usr/bin/env bash
# Cross-builds libjpeg-turbo and giflib from Debian's source packages for both
# Windows targets. The result goes to CACHE/<versions>/<triplet>/{include,lib};
# CACHE/current points at the set the CMake toolchain files use. A set that is
# already there is reused, so only the first run on a machine pays for it.
set -euo pipefail

cache=${1:?usage: build-deps.sh CACHE-FOLDER}
repo=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

src_version() { # the source version behind an installed binary package
  dpkg-query -W -f='${source:Version}' "$1"
}
jpeg_ver=$(src_version libjpeg62-turbo-dev)
gif_ver=$(src_version libgif-dev)
key="jpeg-${jpeg_ver//[:~]/_}-gif-${gif_ver//[:~]/_}"
set_dir="$cache/$key"
triplets=(x86_64-w64-mingw32 i686-w64-mingw32)

complete() {
  for t in "${triplets[@]}"; do
    [ -f "$set_dir/$t/lib/libjpeg.a" ] && [ -f "$set_dir/$t/lib/libgif.a" ] || return 1
  done
}

if ! complete; then
  echo "build-deps: building $key into $set_dir"
  work=$(mktemp -d)
  chmod 755 "$work"  # apt downloads as its own user
  trap 'rm -rf "$work"' EXIT
  (cd "$work" && apt-get source -qq --download-only "libjpeg-turbo=$jpeg_ver" "giflib=$gif_ver" >/dev/null \
     && for d in *.dsc; do dpkg-source -x --no-check "$d" >/dev/null; done)
  jpeg_src=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)
  gif_src=$(find "$work" -maxdepth 1 -type d -name 'giflib-*' | head -n1)

  for t in "${triplets[@]}"; do
    case $t in
      x86_64-*) toolchain="$repo/cmake/toolchain-win64.cmake" ;;
      i686-*)   toolchain="$repo/cmake/toolchain-win32.cmake" ;;
    esac
    prefix="$set_dir/$t"
    mkdir -p "$prefix/lib" "$prefix/include"

    cmake -S "$jpeg_src" -B "$work/jpeg-$t" -G "Unix Makefiles" \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
      -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF \
      -DCMAKE_POSITION_INDEPENDENT_CODE=OFF >/dev/null
    cmake --build "$work/jpeg-$t" -j"$jobs" --target jpeg-static >/dev/null
    cp "$work/jpeg-$t"/libjpeg.a "$prefix/lib/"
    cp "$work/jpeg-$t"/jconfig.h "$jpeg_src"/jpeglib.h "$jpeg_src"/jmorecfg.h "$jpeg_src"/jerror.h "$prefix/include/"

    gcc="$t-gcc-posix"
    objs=()
    for c in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
      "$gcc" -O2 -c "$gif_src/$c.c" -I"$gif_src" -o "$work/gif-$t-$c.o"
      objs+=("$work/gif-$t-$c.o")
    done
    "$t-ar" rcs "$prefix/lib/libgif.a" "${objs[@]}"
    cp "$gif_src/gif_lib.h" "$prefix/include/"
  done
fi

ln -sfn "$key" "$cache/current"
echo "build-deps: using $cache/current -> $key"
