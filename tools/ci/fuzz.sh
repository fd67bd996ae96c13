#!/usr/bin/env bash
# Builds the project with clang, AddressSanitizer, UndefinedBehaviorSanitizer and the libFuzzer
# targets of tests/fuzz, then runs each target for a while on a copy of its seed corpus, as many
# at once as there are cores. Fails on any crash, hang (one input running over ten seconds: a
# large picture takes a second on a loaded machine), memory blow-up, leak or sanitizer report.
#
# Usage: tools/ci/fuzz.sh [seconds per target]
#   The time comes from the argument, else FUZZ_SECONDS, else 60. FUZZ_BUILD_DIR moves the build
#   (default build-fuzz). Logs and the inputs that failed are kept in <build>/fuzz-runs.
#
# Packages it needs and does not install: clang-14 libclang-rt-14-dev (libFuzzer and the
# sanitizer runtimes), and those the project builds with: cmake pkg-config libfreetype-dev
# libfontconfig-dev libjpeg62-turbo-dev libx11-dev libxext-dev libgtest-dev, and fonts-wqy-zenhei
# so that text has Chinese glyphs.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
seconds=${1:-${FUZZ_SECONDS:-60}}
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
runs=$build/fuzz-runs
targets=(getimage drawtext drawing keys)

fail() {
    echo "fuzz.sh: $*" >&2
    exit 1
}

[[ $seconds =~ ^[1-9][0-9]*$ ]] || fail "the time per target is a number of seconds, not '$seconds'"
for tool in clang-14 clang++-14 cmake; do
    command -v "$tool" >/dev/null || fail "$tool is missing: apt-get install clang-14 libclang-rt-14-dev cmake"
done
[[ -f $(clang++-14 -print-runtime-dir)/libclang_rt.fuzzer-$(uname -m).a ]] ||
    fail "libFuzzer is missing: apt-get install libclang-rt-14-dev"

CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTRIVANTA_SANITIZE=ON -DTRIVANTA_FUZZ=ON -DTRIVANTA_BENCH=OFF
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/%/_fuzzer}"

# The fuzzer adds what it finds to its first corpus directory: a copy keeps the repository as it is.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$runs"
mkdir -p "$runs"

# The caller's options come first, so that ours win where both say something.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=1"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}print_stacktrace=1:halt_on_error=1"

# Runs one target on its copy of the corpus; its exit status goes to <log>.status.
run_target() {  # run_target <target>
    local target=$1 log=$runs/$1.log status=0
    cp -r "$root/tests/fuzz/corpus/$target" "$work/$target"
    local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -detect_leaks=1
        -max_len=4096 -print_final_stats=1 -artifact_prefix="$runs/$target-")
    if [[ -f $root/tests/fuzz/$target.dict ]]; then
        options+=(-dict="$root/tests/fuzz/$target.dict")
    fi
    "$build/tests/fuzz/${target}_fuzzer" "$work/$target" "${options[@]}" >"$log" 2>&1 || status=$?
    echo "$status" >"$log.status"
}

# A fuzzer keeps one core busy: as many run at once as there are cores, each for its full time.
cores=$(nproc)
for target in "${targets[@]}"; do
    while (($(jobs -rp | wc -l) >= cores)); do
        wait -n || true
    done
    echo "fuzz.sh: $target for $seconds s"
    run_target "$target" &
done
wait

failed=()
for target in "${targets[@]}"; do
    log=$runs/$target.log
    status=$(cat "$log.status" 2>/dev/null || echo "none")
    # A sanitizer can report without ending the run, so the log is read as well as the status.
    if [[ $status != 0 ]] || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$log"; then
        echo "fuzz.sh: $target FAILED (status $status); the end of $log:" >&2
        tail -n 60 "$log" >&2
        failed+=("$target")
    else
        echo "fuzz.sh: $target: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" || echo "ran clean")"
    fi
done

((${#failed[@]} == 0)) || fail "failed: ${failed[*]}; logs and failing inputs are in $runs"
echo "fuzz.sh: all targets ran clean for $seconds s each"
