#!/usr/bin/env bash
# Tries the runtime's development package as a programmer would: unpacked into a scratch prefix,
# its examples are built from their installed sources twice, through its CMake package and
# through its pkg-config file, and every program is run on the X server DISPLAY names until its
# first frame is on screen, then ended with Escape.
#   tools/ci/package_examples.sh <libtrivanta-graph-dev_*.deb>     tools/ci/package.sh runs it
# Needs, besides what the build needs (tools/dev): xdotool imagemagick, and an X server.
set -Eeuo pipefail

script=package_examples.sh
source "$(dirname "$0")/package_common.sh"
package=$(realpath "$1")
try_examples

stage="unpacking the development package"
dpkg-deb -x "$package" "$work/root"
prefix=$work/root/usr
sources=$prefix/share/doc/libtrivanta-graph-dev/examples
pc_file=$(find "$prefix/lib" -name trivanta-graph.pc)
[ -n "$pc_file" ] || fail "the package holds no trivanta-graph.pc"

stage="building the examples with find_package"
cmake -S "$sources" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror"
grep -q "^TrivantaGraph_DIR:PATH=$prefix/" "$work/cmake/CMakeCache.txt" ||
    fail "find_package found another TrivantaGraph than the unpacked one"
cmake --build "$work/cmake" -j "$(nproc)"

stage="building the examples with pkg-config"
# The library is static, so the libraries it links come with --static.
flags=$(PKG_CONFIG_PATH=$(dirname "$pc_file") pkg-config --cflags --libs --static trivanta-graph)
grep -q -- "-I$prefix/" <<<"$flags" || fail "pkg-config named other headers: $flags"
mkdir "$work/pkg-config"
for example in "${examples[@]}"; do
    # The flags are words to split.
    # shellcheck disable=SC2086
    g++ -std=c++20 -Wall -Wextra -Werror -o "$work/pkg-config/$example" \
        "$sources/$example.cpp" $flags
done

for build in cmake pkg-config; do
    for example in "${examples[@]}"; do
        stage="running $example as built with $build"
        # From the examples' folder, where the pictures example finds its logo.jpg.
        (cd "$sources" && exec "$work/$build/$example") >"$work/log" 2>&1 &
        example_pid=$!
        window=$(window_of "$example_pid") || fail "no window within 10 s: $(cat "$work/log")"
        within 10 shows_a_picture "$window" || fail "no frame within 10 s: $(cat "$work/log")"
        end_with_keys "$example_pid" "$window" Escape
        example_pid=""
    done
done
echo "package_examples.sh: the examples built with find_package and with pkg-config, and ran"
