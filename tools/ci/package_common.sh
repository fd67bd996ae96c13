# What tools/ci/package.sh and tools/ci/package_examples.sh share: one message saying which stage
# failed, waiting for a condition, and watching a program's window on the X server DISPLAY names.
# Sourced by them after they set `script` to their own name.
#   needs: xdotool imagemagick

# Each stage names itself, so that whatever fails ends the run with one message saying where.
stage=""
fail() {
    echo "$script: $stage failed: $*" >&2
    exit 1
}
trap 'fail "\"$BASH_COMMAND\" exited with $?"' ERR
trap 'fail "interrupted"' INT TERM

# Polls the command every quarter second until it succeeds or `seconds` have passed.
within() {  # within <seconds> <command>...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.25
    done
}

# The visible window of a process, found by the process id the runtime gives its windows; fails
# when none shows within ten seconds.
window_of() {  # window_of <pid>
    timeout 10 xdotool search --sync --onlyvisible --pid "$1" | head -n 1
}

# Whether the window shows more than one colour: its program drew a frame and it is on screen.
shows_a_picture() {  # shows_a_picture <window>
    local colours
    colours=$(import -window "$1" png:- | identify -format '%k' -) && [ "$colours" -gt 1 ]
}

# Whether the process has ended.
ended() {  # ended <pid>
    ! kill -0 "$1" 2>/dev/null
}

# Types the keys into the window, waits up to five seconds for its process to end, and fails
# unless it exited with 0.
end_with_keys() {  # end_with_keys <pid> <window> <key>...
    local pid=$1 window=$2 status=0
    shift 2
    timeout 5 xdotool windowfocus --sync "$window"
    xdotool key --delay 100 "$@"
    within 5 ended "$pid" || fail "the program still runs 5 s after $*"
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "the program exited with $status"
}
