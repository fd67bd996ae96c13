#!/usr/bin/env bash
# Tries the runtime's kit for MinGW-w64 as a programmer on Windows would, with the cross compiler
# standing in for theirs: unpacked outside the tree, its examples are built by the commands its
# README.txt gives, with one g++ command line each and with CMake; every program imports none but
# the system's DLLs, and runs under Wine until its first frame is on screen, then ends with 0 on
# Escape.
#   tools/ci/windows_dev_kit.sh <trivanta-graph-*-mingw64.zip>     tools/ci/windows_package.sh runs it
# Needs the Wine prefix WINEPREFIX names (tools/ci/wine_prefix.sh), the X server DISPLAY names,
# x86_64-w64-mingw32-g++-posix, xdotool and imagemagick.
set -Eeuo pipefail

script=windows_dev_kit.sh
source "$(dirname "$0")/package_common.sh"
kit_zip=$(realpath "$1")
compiler=x86_64-w64-mingw32-g++-posix
try_examples

stage="unpacking the kit"
(cd "$work" && cmake -E tar xf "$kit_zip")
kit=$work/$(basename "$kit_zip" .zip)
[ -f "$kit/README.txt" ] || fail "the ZIP does not unpack into one folder with README.txt in it"

# The README's commands for one way, typed in the examples folder: its lines indented by four
# spaces that start with the program given. The Windows line ends go.
readme_commands() {  # readme_commands <program>
    tr -d '\r' <"$kit/README.txt" | sed -n "s/^    \($1 .*\)/\1/p"
}

# Runs the commands, each in a shell of its own in the examples folder, after the replacement
# (a sed expression) made for this machine, which must apply to one of them at least.
run_commands() {  # run_commands <commands> <sed expression>
    local replaced command
    replaced=$(sed "$2" <<<"$1")
    [ -n "$1" ] && [ "$replaced" != "$1" ] ||
        fail "\"$2\" changes none of README.txt's commands: $1"
    while read -r -u 3 command; do
        (cd "$kit/examples" && eval "$command") || fail "\"$command\" exited with $?"
    done 3<<<"$replaced"
}

stage="building the examples with g++ as README.txt says"
# The cross compiler is g++ here.
run_commands "$(readme_commands g++)" "s/^g++ /$compiler /"

stage="building the examples with CMake as README.txt says"
# The MinGW Makefiles are Windows' own; the Unix ones build for Windows here, with the cross
# compiler.
run_commands "$(readme_commands cmake)" \
    "s/-G \"MinGW Makefiles\"/-DCMAKE_SYSTEM_NAME=Windows -DCMAKE_CXX_COMPILER=$compiler/"
grep -q "^TrivantaGraph_DIR:PATH=$kit/lib/cmake/TrivantaGraph$" "$kit/examples/build/CMakeCache.txt" ||
    fail "find_package found another TrivantaGraph than the kit's"

# Whether each DLL the program imports is one of the system's, which the Wine prefix's
# system32 folder holds, as Windows' does; the compiler's own DLLs are not there.
imports_system_dlls_only() {  # imports_system_dlls_only <program>
    local dll
    for dll in $(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\tDLL Name: //p'); do
        [ -n "$(find "$WINEPREFIX/drive_c/windows/system32" -maxdepth 1 -iname "$dll")" ] ||
            fail "$1 imports $dll, which is none of the system's DLLs"
    done
}

# The g++ command lines leave the programs in the examples folder, CMake in its build folder.
programs=()
for example in "${examples[@]}"; do
    programs+=("$example.exe" "build/$example.exe")
done
for program in "${programs[@]}"; do
    stage="checking the DLLs $program imports"
    [ -f "$kit/examples/$program" ] || fail "no $program was built"
    imports_system_dlls_only "$kit/examples/$program"

    stage="running $program under Wine"
    # From the examples folder, where the pictures example finds its logo.jpg.
    (cd "$kit/examples" && exec wine "$program") >"$work/log" 2>&1 &
    example_pid=$!
    window=$(window_of "$example_pid" 90) || fail "no window within 90 s: $(cat "$work/log")"
    wine_client_area "$window" 640 480
    within 60 shows_a_picture "$window" "640x480+$client_left+$client_top" ||
        fail "no frame within 60 s: $(cat "$work/log")"
    end_with_keys "$example_pid" "$window" Escape
    example_pid=""
done
echo "$script: the examples built from the kit both ways README.txt gives, imported the" \
    "system's DLLs only and ran, in $SECONDS s"
