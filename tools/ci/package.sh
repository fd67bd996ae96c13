#!/usr/bin/env bash
# Builds the Debian package and tries it as a player's machine would: checks what it holds and
# depends on, validates its desktop entry, installs it with apt-get, starts the installed game on
# a private X server, waits for its menu, leaves through the menu, and removes the package again.
#   tools/ci/package.sh     as root, or with sudo at hand; builds in build-package/
# Needs, besides what the build needs (tools/dev):
#   dpkg-dev desktop-file-utils xvfb xdotool x11-utils imagemagick
set -Eeuo pipefail

cd "$(dirname "$0")/../.."
build="build-package"
work=$(mktemp -d)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive

# Each stage names itself, so that whatever fails ends the run with one message saying where.
stage=""
fail() {
    echo "package.sh: $stage failed: $*" >&2
    exit 1
}
trap 'fail "\"$BASH_COMMAND\" exited with $?"' ERR
trap 'fail "interrupted"' INT TERM

game_pid=""
xvfb_pid=""
installed=""
# Whatever the run left behind when it stops early: the game, the package, the server.
cleanup() {
    trap - ERR
    if [ -n "$game_pid" ]; then kill "$game_pid" 2>/dev/null || true; fi
    if [ -n "$installed" ]; then $sudo apt-get remove -y -qq trivanta >/dev/null 2>&1 || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# Polls the command every quarter second until it succeeds or `seconds` have passed.
within() {  # within <seconds> <command>...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.25
    done
}

stage="building the game"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTRIVANTA_TESTS=OFF -DTRIVANTA_BENCH=OFF
cmake --build "$build" -j "$(nproc)" --target trivanta

stage="making the package"
rm -f "$build"/trivanta_*.deb
(cd "$build" && cpack)
packages=("$build"/trivanta_*.deb)
if [ ${#packages[@]} -ne 1 ] || [ ! -f "${packages[0]}" ]; then
    fail "cpack made not exactly one trivanta_*.deb in $build"
fi
package=$(realpath "${packages[0]}")
dpkg-deb -I "$package"

stage="checking the package's dependencies"
depends=$(dpkg-deb -f "$package" Depends)
for wanted in libx11-6 libxext6 libfreetype6 libfontconfig1 libjpeg62-turbo \
              fonts-wqy-zenhei fonts-arphic-uming; do
    grep -Eq "(^|, )$wanted( |,|$)" <<<"$depends" || fail "Depends lacks $wanted: $depends"
done

stage="checking the package's files"
# The program, its desktop entry, and one icon for each one under assets/icons/.
{
    echo ./usr/bin/trivanta
    echo ./usr/share/applications/trivanta.desktop
    (cd assets/icons && find . -name '*.png' | sed 's|^\.|./usr/share/icons/hicolor|')
} | sort >"$work/expected"
dpkg-deb -c "$package" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/actual"
diff -u "$work/expected" "$work/actual" || fail "the package holds other files than expected"

stage="validating the desktop entry and icons"
dpkg-deb -x "$package" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/trivanta.desktop"
for icon in "$work"/root/usr/share/icons/hicolor/*/apps/trivanta.png; do
    size=$(basename "$(dirname "$(dirname "$icon")")")
    [ "$(identify -format '%wx%h' "$icon")" = "$size" ] || fail "$icon is not $size"
done

stage="installing the package"
installed=yes
timeout 600 $sudo apt-get install -y -qq "$package"
[ -x /usr/bin/trivanta ] || fail "/usr/bin/trivanta is not there"

stage="starting a private X server"
# The server picks a free display and writes its number to file descriptor 3 once it accepts
# connections.
Xvfb -displayfd 3 -nolisten tcp -screen 0 640x800x24 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
within 20 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=":$(cat "$work/display")"
export DISPLAY

stage="starting the installed game"
/usr/bin/trivanta >"$work/game.log" 2>&1 &
game_pid=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --class '^Tarvel$' | head -n 1) ||
    fail "no window of class Tarvel within 10 s: $(cat "$work/game.log")"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "${WIDTH}x${HEIGHT}" = 480x640 ] || fail "the window is ${WIDTH}x${HEIGHT}, not 480x640"

stage="waiting for the menu"
# After the start-up logo, the menu rings "start" in green inside its blue button frame. The
# screenshot is of the whole screen, so the window's place on it is added.
screenshot=$build/package-screen.png
menu_shown() {
    import -window root "$screenshot" &&
        [ "$(convert "$screenshot" -depth 8 \
                 -format "%[hex:p{$((X + 186)),$((Y + 296))}] %[hex:p{$((X + 190)),$((Y + 300))}]" \
                 info:)" = "00FF00 0000FF" ]
}
within 15 menu_shown || fail "no menu within 15 s; the last screenshot is $screenshot"

stage="leaving through the menu"
timeout 5 xdotool windowfocus --sync "$window"
xdotool key --delay 100 s s space
game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }
within 5 game_ended || fail "the game still runs 5 s after exit was chosen"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the game exited with $status: $(cat "$work/game.log")"

stage="removing the package"
timeout 600 $sudo apt-get remove -y -qq trivanta
installed=""
[ ! -e /usr/bin/trivanta ] || fail "/usr/bin/trivanta is still there"

stage="stopping the X server"
kill "$xvfb_pid"
wait "$xvfb_pid" || true
xvfb_pid=""

echo "package.sh: $(basename "$package") built, installed, showed its menu, quit and was removed"
