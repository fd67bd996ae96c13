#!/usr/bin/env bash
# Builds the C libraries the browser build links, FreeType and libjpeg-turbo, for WebAssembly
# with pthreads, from Debian's sources, and installs them (static libraries, headers and
# pkg-config files) into <folder>/prefix. A second run with the prefix complete does nothing.
#   tools/web/build_deps.sh <folder>
set -euo pipefail

here=$(dirname "$(realpath "$0")")
deps=$(realpath -m "$1")
prefix=$deps/prefix
jobs=$(nproc)
# A prefix from before FreeType was cut down to the modules the program uses is built again.
[ -f "$prefix/lib/libfreetype.a" ] && [ -f "$prefix/lib/libjpeg.a" ] &&
    cmp -s "$here/freetype_modules.h" "$prefix/include/freetype2/freetype/config/ftmodule.h" &&
    exit 0

"$here/fetch_sources.sh" "$deps/src" freetype libjpeg-turbo

# Every object of a program with pthreads must be built for shared memory.
common=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS=-pthread -DCMAKE_INSTALL_PREFIX="$prefix"
        -DCMAKE_INSTALL_LIBDIR=lib)
build() {  # build <name> <target> <cmake options>...
    local name=$1 target=$2
    shift 2
    emcmake cmake -S "$deps/src/$name" -B "$deps/build/$name" "${common[@]}" "$@" > /dev/null
    cmake --build "$deps/build/$name" -j "$jobs" --target "$target" > /dev/null
}

# Glyph outlines of TrueType faces only, the faces the program carries: no compressed fonts, no
# PNG or embedded bitmaps, no colour layers, no variations, no shaping, and of FreeType's modules
# only those such a face goes through (the TrueType driver and its tables, the automatic hinter
# for faces without instructions, the smooth renderer). The others were almost half of the
# page's program. The unpacked sources are this script's own copy, so they are edited in place.
config=$deps/src/freetype/include/freetype/config
cp "$here/freetype_modules.h" "$config/ftmodule.h"
for option in FT_CONFIG_OPTION_USE_ZLIB FT_CONFIG_OPTION_USE_LZW TT_CONFIG_OPTION_EMBEDDED_BITMAPS \
              TT_CONFIG_OPTION_COLOR_LAYERS TT_CONFIG_OPTION_GX_VAR_SUPPORT TT_CONFIG_OPTION_BDF; do
    sed -i "s|^#define $option\$|/* #undef $option */|" "$config/ftoption.h"
done
build freetype freetype -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
cmake --install "$deps/build/freetype" > /dev/null

# The decoder's library alone; WebAssembly has none of its SIMD kernels.
# CMake misreads the sizes of types from WebAssembly objects, so they are given.
build libjpeg-turbo jpeg-static -DSIZE_T=4 -DHAVE_SIZE_T=TRUE -DUNSIGNED_LONG=4 \
    -DHAVE_UNSIGNED_LONG=TRUE -DWITH_SIMD=0 -DENABLE_SHARED=0 -DWITH_TURBOJPEG=0 -DWITH_JAVA=0
jpeg=$deps/build/libjpeg-turbo
mkdir -p "$prefix/include" "$prefix/lib/pkgconfig"
cp "$jpeg/libjpeg.a" "$prefix/lib/"
cp "$jpeg/jconfig.h" "$deps/src/libjpeg-turbo/"{jpeglib.h,jmorecfg.h,jerror.h} "$prefix/include/"
cp "$jpeg/pkgscripts/libjpeg.pc" "$prefix/lib/pkgconfig/"
