#!/usr/bin/env bash
# The long stress runs, against a build that is already made (tools/dev test, or cmake by hand):
#
#   valgrind  a whole game of 200 pieces, every kind of special block among them, played by the
#             automatic player and replayed headless under memcheck: no invalid access, and no
#             block left at exit that tests/valgrind/trivanta.supp does not explain
#   floods    the key floods and the close button at random moments (tests/stress), repeated
#             so that the close requests land at many different moments
#   soak      ten minutes of scripted play of the real game under Xvfb, its resident memory
#             sampled every second: no growth after the first game (tests/programs/soak.cpp)
#
# The soak runs beside the others. Each run prints a PASS or FAIL line; the exit code is 1 when
# any failed. Everything takes about 11 minutes. Logs are kept in <build>/stress-runs.
#
# Usage: tools/ci/stress.sh [build dir]
#   The build dir defaults to build; it must hold an optimised build (the default Release), as
#   the suppressions name the functions an optimised build keeps. SOAK_MINUTES (10) and
#   CLOSE_REPEATS (10) and FLOOD_REPEATS (3) may shorten or lengthen the runs.
#
# Packages it needs and does not install, besides those the build needs (tools/dev lists
# them): valgrind xvfb xdotool fonts-dejavu-core fonts-wqy-zenhei
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd) || exit 1
runs=$build/stress-runs
soak_minutes=${SOAK_MINUTES:-10}
close_repeats=${CLOSE_REPEATS:-10}
flood_repeats=${FLOOD_REPEATS:-3}
# The game's schedule of special blocks announces a disc, a square, a disc, a ring, a square, a
# disc and then a white frame: seven blocks have shown all four kinds.
all_special_kinds=7

for program in trivanta tools/trivanta_autoplay tools/trivanta_replay tests/trivanta_tests \
    tests/trivanta_soak; do
    if [[ ! -x $build/$program ]]; then
        echo "stress.sh: $build/$program is missing: build the project first" >&2
        exit 1
    fi
done
for tool in valgrind Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "stress.sh: $tool is missing: apt-get install valgrind xvfb xdotool" >&2
        exit 1
    fi
done
rm -rf "$runs"
mkdir -p "$runs"

failed=()
report() {  # report <name> <status> <log>
    if (($2 == 0)); then
        echo "stress.sh: PASS $1"
    else
        echo "stress.sh: FAIL $1 (status $2); the end of $3:"
        tail -n 40 "$3"
        failed+=("$1")
    fi
}

valgrind_game() {
    local script=$runs/game.txt log=$runs/valgrind.log
    "$build/tools/trivanta_autoplay" 200 >"$script" 2>"$log" || return 1
    # The player's last line: "# 200 pieces, N points, S special blocks".
    local specials
    specials=$(sed -n 's/^# .* \([0-9]*\) special blocks.*/\1/p' "$script")
    echo "stress.sh: the game: $(tail -n 1 "$script" | cut -c3-)"
    if ((${specials:-0} < all_special_kinds)); then
        echo "stress.sh: only ${specials:-0} special blocks: not every kind was played" >>"$log"
        return 1
    fi
    valgrind --tool=memcheck --leak-check=full --show-leak-kinds=all \
        --errors-for-leak-kinds=all --error-exitcode=1 --num-callers=40 \
        --suppressions="$root/tests/valgrind/trivanta.supp" \
        "$build/tools/trivanta_replay" "$script" >>"$log" 2>&1
    local status=$?
    grep -E 'ERROR SUMMARY|suppressed:' "$log" | sed 's/^==[0-9]*== */stress.sh:   /' | sort -u
    return $status
}

# The soak plays the real game for minutes and mostly waits for it, so the other runs go on
# beside it: each has its own server and programs, and the soak reads only its own game's memory.
echo "stress.sh: soak, $soak_minutes minutes, beside the runs below"
"$build/tests/trivanta_soak" "$build/trivanta" "$soak_minutes" >"$runs/soak.log" 2>&1 &
soak_pid=$!
trap '[[ -z $soak_pid ]] || kill "$soak_pid" 2>/dev/null' EXIT

echo "stress.sh: valgrind game"
valgrind_game
report "valgrind game" $? "$runs/valgrind.log"

repeat_tests() {  # repeat_tests <name> <log name> <gtest filter> <times>
    echo "stress.sh: $1, $4 times"
    "$build/tests/trivanta_tests" --gtest_filter="$3" --gtest_repeat="$4" --gtest_brief=1 \
        >"$runs/$2.log" 2>&1
    report "$1" $? "$runs/$2.log"
}
repeat_tests "key floods" floods 'KeyQueueFlood.*:GameFlood.*' "$flood_repeats"
repeat_tests "the close button at random moments" close \
    'CloseAtAMoment.*:*/CloseAtAProgramMoment.*' "$close_repeats"

echo "stress.sh: the soak's end"
wait "$soak_pid"
status=$?
soak_pid=""
grep -E '^soak: (minute|[0-9]+ s)|samples' "$runs/soak.log" | sed 's/^soak:/stress.sh:  /'
report "soak" $status "$runs/soak.log"

if ((${#failed[@]} > 0)); then
    echo "stress.sh: FAILED: ${failed[*]}; logs are in $runs"
    exit 1
fi
echo "stress.sh: all passed"
