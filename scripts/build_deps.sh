#!/usr/bin/env bash
# Builds libjpeg-turbo and libpng (static, i686 MinGW) from Debian's source packages
# into a cached prefix keyed by their versions; the unpacked sources stay beside it
# because the tests read their picture corpora.
# Usage: build_deps.sh [i686|x86_64]
set -euo pipefail
arch=${1:-i686}
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${VERADIN_CACHE:-$HOME/.cache/veradin}
mkdir -p "$cache/src"

. "$here/scripts/deb_source.sh"

jpeg_src=$(fetch_source libjpeg-turbo)
png_src=$(fetch_source libpng1.6)
key="$(basename "$jpeg_src")+$(basename "$png_src")"
prefix="$cache/deps-$arch-$key"
if [ -f "$prefix/.done" ]; then
  ln -sfn "$prefix" "$cache/deps-$arch"
  ln -sfn "$jpeg_src" "$cache/jpeg-src"; ln -sfn "$png_src" "$cache/png-src"
  exit 0
fi

tc="$here/cmake/mingw.cmake"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "build_deps: building $key for $arch"
cmake -S "$jpeg_src" -B "$work/jpeg" -DCMAKE_TOOLCHAIN_FILE="$tc" -DVERADIN_ARCH=$arch -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
  -DCMAKE_CROSSCOMPILING_EMULATOR= >/dev/null
cmake --build "$work/jpeg" -j2 --target install >/dev/null
cmake -S "$png_src" -B "$work/png" -DCMAKE_TOOLCHAIN_FILE="$tc" -DVERADIN_ARCH=$arch -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_LIBRARY=/usr/$arch-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/$arch-w64-mingw32/include \
  -DCMAKE_CROSSCOMPILING_EMULATOR= -DPNG_HARDWARE_OPTIMIZATIONS=OFF >/dev/null
cmake --build "$work/png" -j2 --target install >/dev/null
touch "$prefix/.done"
ln -sfn "$prefix" "$cache/deps-$arch"
ln -sfn "$jpeg_src" "$cache/jpeg-src"; ln -sfn "$png_src" "$cache/png-src"
echo "build_deps: installed into $prefix"
