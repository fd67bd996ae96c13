#!/usr/bin/env bash
# Tries the runtime's development package as a programmer would: its examples are built from
# their installed sources twice, through its CMake package and through its pkg-config file, and
# every program is run on a private X server until its first frame is on screen, read back from
# the screen, then ended with Escape and expected to exit with 0.
#   tools/ci/package_examples.sh <prefix>     the package's autopkgtest runs it with /usr
# Needs: the package libtrivanta-graph-dev installed under the prefix, cmake g++ pkg-config xvfb
# xdotool imagemagick.
set -Eeuo pipefail

script=package_examples.sh
source "$(dirname "$0")/package_common.sh"
prefix=$1
try_examples
# The examples run on a private X server of their own, which ends with them.
xvfb_pid=""
end_examples_and_server() {
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    end_examples
}
trap end_examples_and_server EXIT

stage="finding the development package"
sources=$prefix/share/doc/libtrivanta-graph-dev/examples
pc_file=$(find "$prefix/lib" -name trivanta-graph.pc)
[ -n "$pc_file" ] || fail "there is no trivanta-graph.pc under $prefix/lib"

stage="building the examples with find_package"
cmake -S "$sources" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror"
grep -q "^TrivantaGraph_DIR:PATH=$prefix/" "$work/cmake/CMakeCache.txt" ||
    fail "find_package found another TrivantaGraph than the one under $prefix"
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

stage="starting a private X server"
start_xvfb "$work"

for build in cmake pkg-config; do
    for example in "${examples[@]}"; do
        stage="running $example as built with $build"
        # From the examples' folder, where the pictures example finds its logo.jpg.
        (cd "$sources" && exec "$work/$build/$example") >"$work/log" 2>&1 &
        example_pid=$!
        window=$(window_of "$example_pid" 30) || fail "no window within 30 s: $(cat "$work/log")"
        within 10 shows_a_picture "$window" || fail "no frame within 10 s: $(cat "$work/log")"
        end_with_keys "$example_pid" "$window" Escape
        example_pid=""
    done
done
echo "package_examples.sh: the examples built with find_package and with pkg-config, and ran"
