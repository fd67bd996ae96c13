#!/bin/bash
# How often a game sitting in its main menu wakes up, and how much of a core it uses: the
# wake-ups are every thread's context switches (voluntary and involuntary, from
# /proc/<pid>/task/*/status), the processor time what its threads ran
# (/proc/<pid>/task/*/schedstat). Several programs (builds of the game before and after a
# change) take turns, so that their figures come from one run on one machine.
#
#   bench/idle_wakeups.sh [-r rounds] [-w settle seconds] [-m measured seconds] program...
#
# Each round starts each program afresh, waits for the logo to end (8 s by default: it lasts
# about 3.5 s on an idle machine) and counts for 5 s (-m). The programs open their window on a
# private Xvfb server; with IDLE_DISPLAY=current they open it where the environment says
# (DISPLAY, WAYLAND_DISPLAY, TRIVANTA_BACKEND), for a desktop or a compositor started by hand.
set -euo pipefail

rounds=3 settle=8 measured=5
while getopts r:w:m: option; do
    case $option in
    r) rounds=$OPTARG ;;
    w) settle=$OPTARG ;;
    m) measured=$OPTARG ;;
    *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
[ $# -gt 0 ] || { echo "usage: $0 [-r rounds] [-w settle s] [-m measured s] program..." >&2; exit 2; }

server=""
stop_server() {
    [ -z "$server" ] || kill "$server" 2>/dev/null || true
    server=""
}
log=$(mktemp)
server_log=$(mktemp)
trap 'stop_server; rm -f "$log" "$server_log"' EXIT

# A private X server for one measurement, which DISPLAY then names.
start_server() {
    local display_file
    display_file=$(mktemp)
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$display_file" >"$server_log" 2>&1 &
    server=$!
    for _ in $(seq 100); do
        grep -q '^[0-9]*$' "$display_file" && [ -s "$display_file" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(cat "$display_file")"
    rm -f "$display_file"
    unset WAYLAND_DISPLAY
    # On a machine where others start servers too, the number may already be taken.
    xdpyinfo >/dev/null 2>&1
}

export TRIVANTA_SCALE=1

# Every thread's context switches so far, the main thread's first: "main others".
switches_of() {
    local main=0 others=0 task count
    for task in /proc/"$1"/task/*; do
        count=$(awk '/^(non)?voluntary_ctxt_switches:/ { n += $2 } END { print n + 0 }' \
            "$task/status" 2>/dev/null || echo 0)
        if [ "${task##*/}" = "$1" ]; then main=$count; else others=$((others + count)); fi
    done
    echo "$main $others"
}

# The time every thread of the process has run so far, in nanoseconds (finer than the user and
# system time's clock ticks).
ran_ns_of() {
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%.0f\n", ns }'
}

# Starts the program and waits for its menu; false if it ended before.
start_program() {
    if [ "${IDLE_DISPLAY:-}" != current ] && ! start_server; then
        stop_server
        return 1
    fi
    "$1" >"$log" 2>&1 &
    pid=$!
    sleep "$settle"
    kill -0 "$pid" 2>/dev/null && return 0
    stop_server
    return 1
}

measure() {  # measure <program> <round>
    local program=$1 pid main0 others0 main1 others1 ran0 ran1 started ended attempt
    for attempt in 1 2 3; do
        start_program "$program" && break
        echo "$program ended before its menu: $(cat "$log")" >&2
        [ "$attempt" -lt 3 ] || exit 1
    done
    read -r main0 others0 < <(switches_of "$pid")
    ran0=$(ran_ns_of "$pid")
    started=$(date +%s.%N)
    sleep "$measured"
    read -r main1 others1 < <(switches_of "$pid")
    ran1=$(ran_ns_of "$pid")
    ended=$(date +%s.%N)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    stop_server
    awk -v p="$program" -v r="$2" -v m=$((main1 - main0)) -v o=$((others1 - others0)) \
        -v t=$((ran1 - ran0)) -v s="$started" -v e="$ended" \
        'BEGIN { w = e - s; printf "%s, round %d: %.0f wake-ups a second (main thread %.0f, others %.0f), %.2f %% of a core\n", p, r, (m + o) / w, m / w, o / w, 100 * t / 1e9 / w }'
}

for round in $(seq "$rounds"); do
    for program in "$@"; do
        measure "$program" "$round"
    done
done
