#!/usr/bin/env bash
# Cross-builds libjpeg-turbo, giflib, zlib, libpng and libwebp from Debian's
# source packages for both Windows targets. The result goes to
# CACHE/<versions>/<triplet>/{include,lib};
# CACHE/current points at the set the CMake toolchain files use. A set that is
# already there is reused, so only the first run on a machine pays for it.
set -euo pipefail

cache=${1:?usage: build-deps.sh CACHE-FOLDER}
repo=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

src_version() { # the source version behind an installed binary package
  dpkg-query -W -f='${source:Version}' "$1"
}
# The source versions Debian offers for a package, newest first.
offered_versions() {
  apt-cache showsrc "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -ruV
}
# Fetches the installed package's sources into the work folder when its files
# can be fetched, else the newest version offered that can (a security
# update's sources are not always on the mirror). Each try gets a folder of
# its own, so that a half-fetched one leaves nothing behind.
fetch_source() { # source-package binary-package
  local wanted try
  wanted=$(src_version "$2")
  for v in "$wanted" $(offered_versions "$1"); do
    try="$work/fetch-$1"
    rm -rf "$try" && mkdir -p "$try" && chmod 755 "$try"
    if (cd "$try" && apt-get source -qq --download-only "$1=$v" >/dev/null 2>&1); then
      mv "$try"/* "$work"/
      rm -rf "$try"
      echo "build-deps: $1 $v"
      return 0
    fi
  done
  echo "build-deps: no sources of $1 can be fetched" >&2
  return 1
}

jpeg_ver=$(src_version libjpeg62-turbo-dev)
gif_ver=$(src_version libgif-dev)
zlib_ver=$(src_version zlib1g-dev)
png_ver=$(src_version libpng-dev)
webp_ver=$(src_version libwebp-dev)
tag() { echo "${1//[:~+]/_}"; }
key="jpeg-$(tag "$jpeg_ver")-gif-$(tag "$gif_ver")-z-$(tag "$zlib_ver")-png-$(tag "$png_ver")-webp-$(tag "$webp_ver")"
set_dir="$cache/$key"
triplets=(x86_64-w64-mingw32 i686-w64-mingw32)

complete() {
  for t in "${triplets[@]}"; do
    for lib in libjpeg.a libgif.a libz.a libpng.a libwebpdecoder.a libwebpdemux.a; do
      [ -f "$set_dir/$t/lib/$lib" ] || return 1
    done
  done
}

if ! complete; then
  echo "build-deps: building $key into $set_dir"
  work=$(mktemp -d)
  chmod 755 "$work"  # apt downloads as its own user
  trap 'rm -rf "$work"' EXIT
  (cd "$work" && apt-get source -qq --download-only "libjpeg-turbo=$jpeg_ver" "giflib=$gif_ver" >/dev/null)
  fetch_source zlib zlib1g-dev
  fetch_source libpng1.6 libpng-dev
  fetch_source libwebp libwebp-dev
  (cd "$work" && for d in *.dsc; do dpkg-source -x --no-check "$d" >/dev/null; done)
  jpeg_src=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)
  gif_src=$(find "$work" -maxdepth 1 -type d -name 'giflib-*' | head -n1)
  zlib_src=$(find "$work" -maxdepth 1 -type d -name 'zlib-*' | head -n1)
  png_src=$(find "$work" -maxdepth 1 -type d -name 'libpng1.6-*' | head -n1)
  webp_src=$(find "$work" -maxdepth 1 -type d -name 'libwebp-*' | head -n1)

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

    # zlib and libpng: plain C, compiled file by file like giflib. libpng's
    # prebuilt configuration is its default one.
    objs=()
    for c in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees \
             trees uncompr zutil; do
      "$gcc" -O2 -c "$zlib_src/$c.c" -I"$zlib_src" -o "$work/z-$t-$c.o"
      objs+=("$work/z-$t-$c.o")
    done
    "$t-ar" rcs "$prefix/lib/libz.a" "${objs[@]}"
    cp "$zlib_src/zlib.h" "$zlib_src/zconf.h" "$prefix/include/"
    cp "$png_src/scripts/pnglibconf.h.prebuilt" "$prefix/include/pnglibconf.h"
    objs=()
    for c in png pngerror pngget pngmem pngpread pngread pngrio pngrtran pngrutil pngset pngtrans pngwio \
             pngwrite pngwtran pngwutil; do
      "$gcc" -O2 -c "$png_src/$c.c" -I"$prefix/include" -I"$png_src" -DPNG_ARM_NEON_OPT=0 -o "$work/png-$t-$c.o"
      objs+=("$work/png-$t-$c.o")
    done
    "$t-ar" rcs "$prefix/lib/libpng.a" "${objs[@]}"
    cp "$png_src/png.h" "$png_src/pngconf.h" "$prefix/include/"

    # libwebp: its own build, decoding and demuxing only, its SIMD paths on.
    cmake -S "$webp_src" -B "$work/webp-$t" -G "Unix Makefiles" \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
      -DBUILD_SHARED_LIBS=OFF -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF -DWEBP_BUILD_DWEBP=OFF \
      -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF -DWEBP_BUILD_VWEBP=OFF -DWEBP_BUILD_WEBPINFO=OFF \
      -DWEBP_BUILD_WEBPMUX=OFF -DWEBP_BUILD_EXTRAS=OFF -DWEBP_BUILD_LIBWEBPMUX=OFF >/dev/null
    cmake --build "$work/webp-$t" -j"$jobs" --target webpdecoder webpdemux >/dev/null
    cp "$work/webp-$t/libwebpdecoder.a" "$work/webp-$t/libwebpdemux.a" "$prefix/lib/"
    mkdir -p "$prefix/include/webp"
    cp "$webp_src"/src/webp/decode.h "$webp_src"/src/webp/demux.h "$webp_src"/src/webp/mux_types.h \
       "$webp_src"/src/webp/types.h "$prefix/include/webp/"
  done
fi

ln -sfn "$key" "$cache/current"
echo "build-deps: using $cache/current -> $key"
