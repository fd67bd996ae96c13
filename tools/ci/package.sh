#!/usr/bin/env bash
# Builds the Debian packages and tries them as a distribution, a player and a programmer would:
# lintian and appstreamcli find nothing to say, the game's package holds what it should and
# depends on what it needs, its desktop entry and icons are valid; installed with apt-get, the
# game answers --help and --version, starts on a private X server with its icon, process id and
# machine on its window, shows its menu, leaves through it, and is removed again. The runtime's
# development package is then tried by tools/ci/package_examples.sh.
#   tools/ci/package.sh     as root, or with sudo at hand; builds in build-package/
# Needs, besides what the build needs (tools/dev):
#   dpkg-dev lintian appstream desktop-file-utils xvfb xdotool x11-utils imagemagick
set -Eeuo pipefail

cd "$(dirname "$0")/../.."
script=package.sh
source tools/ci/package_common.sh
build="build-package"
work=$(mktemp -d)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive

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

stage="building the game and the runtime"
# Packages install under /usr, where Debian keeps libraries in a folder per architecture.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DTRIVANTA_TESTS=OFF -DTRIVANTA_BENCH=OFF
cmake --build "$build" -j "$(nproc)"

stage="making the packages"
rm -f "$build"/*.deb
(cd "$build" && cpack)
one_package() {  # one_package <name>: the path of the one <name>_*.deb cpack made
    local found=("$build/$1"_*.deb)
    if [ ${#found[@]} -ne 1 ] || [ ! -f "${found[0]}" ]; then
        fail "cpack made not exactly one $1_*.deb in $build"
    fi
    realpath "${found[0]}"
}
package=$(one_package trivanta)
dev_package=$(one_package libtrivanta-graph-dev)
dpkg-deb -I "$package"
dpkg-deb -I "$dev_package"

stage="checking the packages with lintian"
# Every tag lintian knows, informational and pedantic ones included; errors and warnings fail.
lintian --pedantic --info --display-experimental --fail-on error,warning \
    "$package" "$dev_package"

stage="checking the game's dependencies"
depends=$(dpkg-deb -f "$package" Depends)
for wanted in libx11-6 libxext6 libfreetype6 libfontconfig1 libjpeg62-turbo \
              fonts-wqy-zenhei fonts-arphic-uming; do
    grep -Eq "(^|, )$wanted( |,|$)" <<<"$depends" || fail "Depends lacks $wanted: $depends"
done

stage="checking the game's files"
# The program, its desktop entry, metadata, manual page and documents, and one icon for each one
# under assets/icons/.
{
    echo ./usr/games/trivanta
    echo ./usr/share/applications/trivanta.desktop
    echo ./usr/share/metainfo/org.example.trivanta.metainfo.xml
    echo ./usr/share/man/man6/trivanta.6.gz
    echo ./usr/share/doc/trivanta/copyright
    echo ./usr/share/doc/trivanta/changelog.gz
    (cd assets/icons && find . -name '*.png' | sed 's|^\.|./usr/share/icons/hicolor|')
} | sort >"$work/expected"
dpkg-deb -c "$package" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/actual"
diff -u "$work/expected" "$work/actual" || fail "the package holds other files than expected"

stage="validating the desktop entry, the metadata and the icons"
dpkg-deb -x "$package" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/trivanta.desktop"
grep -qx 'Exec=/usr/games/trivanta' "$work/root/usr/share/applications/trivanta.desktop" ||
    fail "the desktop entry does not start /usr/games/trivanta"
# Clean means not even a pedantic remark.
appstreamcli validate --pedantic --no-net --no-color \
    "$work/root/usr/share/metainfo/org.example.trivanta.metainfo.xml" | tee "$work/appstream"
! grep -Eq '^[EWIP]:' "$work/appstream" || fail "appstreamcli has remarks"
for icon in "$work"/root/usr/share/icons/hicolor/*/apps/trivanta.png; do
    size=$(basename "$(dirname "$(dirname "$icon")")")
    [ "$(identify -format '%wx%h' "$icon")" = "$size" ] || fail "$icon is not $size"
done

stage="installing the package"
installed=yes
timeout 600 $sudo apt-get install -y -qq "$package"
[ -x /usr/games/trivanta ] || fail "/usr/games/trivanta is not there"

stage="asking the installed game for its usage and version"
/usr/games/trivanta --help | grep -q '^Usage: trivanta' || fail "--help printed no usage"
version=$(dpkg-deb -f "$package" Version)
[ "$(/usr/games/trivanta --version)" = "trivanta $version" ] || fail "--version is not $version"
status=0
/usr/games/trivanta --play 2>"$work/usage" || status=$?
[ "$status" -eq 2 ] && grep -q '^Usage: trivanta' "$work/usage" ||
    fail "an unknown argument gave exit code $status and no usage on standard error"

stage="starting a private X server"
# The server picks a free display and writes its number to file descriptor 3 once it accepts
# connections.
Xvfb -displayfd 3 -nolisten tcp -screen 0 800x800x24 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
within 20 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=":$(cat "$work/display")"
export DISPLAY

stage="starting the installed game"
# The window is found by the process id on it (_NET_WM_PID), so finding it checks that too.
/usr/games/trivanta >"$work/game.log" 2>&1 &
game_pid=$!
window=$(window_of "$game_pid") || fail "no window of the game within 10 s: $(cat "$work/game.log")"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "${WIDTH}x${HEIGHT}" = 480x640 ] || fail "the window is ${WIDTH}x${HEIGHT}, not 480x640"
[ "$(xprop -id "$window" WM_CLASS)" = 'WM_CLASS(STRING) = "Tarvel", "Tarvel"' ] ||
    fail "the window's class is not Tarvel, which the desktop entry names"

stage="checking the window's icon and machine"
# xprop draws each icon picture under a heading "Icon (<width> x <height>):"; it reads the whole
# property, some 360 kB, only when asked to.
icons=$(xprop -len 1000000 -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
for size in 16 32 48 64 128 256; do
    grep -q "Icon ($size x $size)" <<<"$icons" || fail "_NET_WM_ICON lacks $size x $size: $icons"
done
[ "$(xprop -id "$window" WM_CLIENT_MACHINE)" = "WM_CLIENT_MACHINE(STRING) = \"$(hostname)\"" ] ||
    fail "WM_CLIENT_MACHINE is not $(hostname)"

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
end_with_keys "$game_pid" "$window" s s space
game_pid=""

stage="removing the package"
timeout 600 $sudo apt-get remove -y -qq trivanta
installed=""
[ ! -e /usr/games/trivanta ] || fail "/usr/games/trivanta is still there"

stage="trying the development package"
tools/ci/package_examples.sh "$dev_package"

stage="stopping the X server"
kill "$xvfb_pid"
wait "$xvfb_pid" || true
xvfb_pid=""

echo "package.sh: $(basename "$package") and $(basename "$dev_package") built and checked;" \
    "the game installed, showed its menu, quit and was removed; the examples built and ran"
