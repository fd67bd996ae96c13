# What tools/ci/package.sh, tools/ci/package_examples.sh, tools/ci/windows_package.sh and
# tools/ci/windows_dev_kit.sh share: one message saying which stage failed, waiting for a
# condition, a private X server, and watching a program's window on the X server DISPLAY names.
# Sourced by them after they set `script` to their own name.
#   needs: xvfb xdotool imagemagick

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

# Starts a private X server with a screen of 800 x 800, which picks a free display and writes
# its number to file descriptor 3 once it accepts connections; sets DISPLAY to it and xvfb_pid
# to its process. The folder keeps its display number and log. The server does not reset when
# its last client leaves, as it would otherwise do between two programs, refusing for a moment
# the next program or xdotool that connects.
start_xvfb() {  # start_xvfb <folder>
    Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 800x800x24 3>"$1/display" >"$1/xvfb.log" 2>&1 &
    xvfb_pid=$!
    within 20 test -s "$1/display" || fail "Xvfb did not start: $(cat "$1/xvfb.log")"
    DISPLAY=":$(cat "$1/display")"
    export DISPLAY
}

# The visible window of a process, found by the process id the runtime gives its windows; fails
# when none shows within the seconds given, ten by default.
window_of() {  # window_of <pid> [seconds]
    timeout "${2:-10}" xdotool search --sync --onlyvisible --pid "$1" | head -n 1
}

# Whether the window, or the part of it given, shows more than one colour: its program drew a
# frame and it is on screen.
shows_a_picture() {  # shows_a_picture <window> [<width>x<height>+<left>+<top>]
    local colours
    colours=$(import -window "$1" ${2:+-crop "$2"} png:- | identify -format '%k' -) &&
        [ "$colours" -gt 1 ]
}

# Where the client area of a window of a Windows program under Wine lies in its X window, which
# holds the frame Wine draws: as wide on the left, the right and the bottom, with the caption
# adding to the top. Sets X, Y, WIDTH and HEIGHT to the X window's geometry, and client_left and
# client_top to the client area's corner in it.
wine_client_area() {  # wine_client_area <window> <client width> <client height>
    eval "$(xdotool getwindowgeometry --shell "$1")"
    client_left=$(((WIDTH - $2) / 2))
    client_top=$((HEIGHT - $3 - client_left))
}

# Whether the screen shows the game's menu in a client area whose top-left corner is at (x, y):
# after the start-up logo the menu rings "start" in green inside its blue button frame. Leaves
# the screenshot in the file `screenshot` names.
shows_the_menu() {  # shows_the_menu <x> <y>
    import -window root "$screenshot" &&
        [ "$(convert "$screenshot" -depth 8 \
                 -format "%[hex:p{$(($1 + 186)),$(($2 + 296))}] %[hex:p{$(($1 + 190)),$(($2 + 300))}]" \
                 info:)" = "00FF00 0000FF" ]
}

# Whether the process has ended.
ended() {  # ended <pid>
    ! kill -0 "$1" 2>/dev/null
}

# Waits up to 30 seconds for the process, a child of this shell, to end after what was done to
# it, and fails unless it exited with 0.
exits_cleanly() {  # exits_cleanly <pid> <what was done>
    local status=0
    within 30 ended "$1" || fail "the program still runs 30 s after $2"
    wait "$1" || status=$?
    [ "$status" -eq 0 ] || fail "the program exited with $status after $2"
}

# Types the keys into the window and fails unless its process then exits with 0.
end_with_keys() {  # end_with_keys <pid> <window> <key>...
    local pid=$1 window=$2
    shift 2
    timeout 30 xdotool windowfocus --sync "$window"
    xdotool key --delay 100 "$@"
    exits_cleanly "$pid" "$*"
}

# For the scripts that try one of the runtime's kits on its examples (tools/ci/package_examples.sh,
# tools/ci/windows_dev_kit.sh): sets `examples` to the three examples, `work` to a scratch folder
# and `example_pid` to none; the example running when the script ends is ended with it, and the
# folder removed.
try_examples() {
    examples=(mouse_and_keys pictures controls)
    work=$(mktemp -d)
    example_pid=""
    trap end_examples EXIT
}
end_examples() {
    trap - ERR
    if [ -n "$example_pid" ]; then kill "$example_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
