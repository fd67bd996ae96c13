#!/usr/bin/env bash
# Builds the Debian packages as a distribution does and tries them as a distribution, a player
# and a programmer would. The source package is made from the tree's files (dpkg-source) and
# built twice in clean bookworm chroots with sbuild, with the test-suite and, beside its tests,
# without it: the two builds must give the same .deb files byte for byte, which shows both that
# the build is reproducible and that leaving the tests out changes nothing in the packages.
# lintian finds nothing to say about the source package or the packages; the game's package
# holds what it should and depends on what it needs, its desktop entry, metadata and icons are
# valid; the autopkgtests (debian/tests) pass against the packages installed in the same chroot.
# Installed here with apt-get, the game answers --help and --version, starts on a private X
# server with its icon, process id and machine on its window, shows its menu, leaves through it,
# and is removed again.
#   tools/ci/package.sh     as root, or with sudo at hand; works in build-package/
# Needs, besides what the build needs (tools/dev): dpkg-dev sbuild mmdebstrap autopkgtest uidmap
# lintian appstream desktop-file-utils xvfb xdotool x11-utils imagemagick, and Debian's archive.
set -Eeuo pipefail

cd "$(dirname "$0")/../.."
script=package.sh
source tools/ci/package_common.sh
build=$PWD/build-package
work=$(mktemp -d)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
suite=bookworm
arch=$(dpkg --print-architecture)
version=$(dpkg-parsechangelog -l debian/changelog -S Version)

game_pid=""
xvfb_pid=""
installed=""
first_build=""
second_build=""
# Whatever the run left behind when it stops early: the builds, the game, the package, the
# server.
cleanup() {
    trap - ERR
    for build_pid in $first_build $second_build; do
        pkill -P "$build_pid" 2>/dev/null || true
        kill "$build_pid" 2>/dev/null || true
    done
    if [ -n "$game_pid" ]; then kill "$game_pid" 2>/dev/null || true; fi
    if [ -n "$installed" ]; then $sudo apt-get remove -y -qq trivanta >/dev/null 2>&1 || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# Sets `cpu` to the processor time, in seconds, that this shell's ended children have used;
# `times` reports them only when it runs in this shell, not in a subshell.
children_cpu() {
    local file=$work/times.$BASHPID
    times >"$file"
    cpu=$(awk 'END { split($1, u, /[ms]/); split($2, s, /[ms]/)
                     printf "%d", u[1] * 60 + u[2] + s[1] * 60 + s[2] }' "$file")
}

# Prints how long a piece of the stage took and the processor time it used: on a loaded machine
# the time taken says little, and the processor time over the two cores says what an idle
# machine would take for the building.
stage_started=$SECONDS
timed() {  # timed <command>...
    local started=$SECONDS cpu before
    children_cpu
    before=$cpu
    "$@"
    children_cpu
    echo "package.sh: $stage took $((SECONDS - started)) s, $((cpu - before)) s of processor" \
        "time ($((SECONDS - stage_started)) s since the stage started)"
}

# A command's output goes to a log, shown only when it fails: a package build prints thousands
# of lines.
quietly() {  # quietly <log> <command>...
    local log=$1
    shift
    "$@" >"$log" 2>&1 || { tail -n 150 "$log"; fail "see $log"; }
}

stage="giving $(id -un) subordinate user and group ids"
# The chroots run in a user namespace, which maps the ids inside to a range of this user's
# subordinate ids: one above every range given already.
for file in /etc/subuid /etc/subgid; do
    if ! grep -q "^$(id -un):" "$file" 2>/dev/null; then
        first=$(awk -F: '$2 + $3 > end { end = $2 + $3 } END { print (end > 200000 ? end : 200000) }' \
                    "$file" 2>/dev/null || echo 200000)
        echo "$(id -un):$first:65536" | $sudo tee -a "$file" >/dev/null
    fi
done

stage="making the source package"
# From the files git knows (and new ones it does not ignore), not from whatever build folders
# lie in the tree.
rm -rf "$build"
mkdir -p "$build"
source_dir=$build/trivanta-$version
mkdir "$source_dir"
git ls-files -z --cached --others --exclude-standard |
    tar --null --files-from=- --ignore-failed-read -c | tar -x -C "$source_dir"
timed quietly "$build/source.log" bash -c "cd '$build' && dpkg-source -b 'trivanta-$version'"
dsc=$build/trivanta_$version.dsc

stage="making a clean $suite chroot"
# sbuild's tarball, from this machine's own Debian package sources, with the package lists kept
# so that the builds and the tests install from them without fetching them again each time. The
# chroots are thrown away after use, so dpkg need not wait for each file to reach the disk.
tarball=${XDG_CACHE_HOME:-$HOME/.cache}/sbuild/$suite-$arch.tar
sources=/etc/apt/sources.list.d/debian.sources
[ -f "$sources" ] || sources=/etc/apt/sources.list
mkdir -p "$(dirname "$tarball")"
# mmdebstrap writes a tarball to a name ending in .tar, and a folder to any other.
timed quietly "$build/chroot.log" mmdebstrap --variant=buildd --skip=cleanup/apt/lists \
    --dpkgopt=force-unsafe-io "$suite" "${tarball%.tar}.new.tar" "$sources"
mv "${tarball%.tar}.new.tar" "$tarball"

# Builds the source package in a chroot made afresh from the tarball, into the folder given.
sbuild_into() {  # sbuild_into <folder> [sbuild options...]
    local folder=$1
    shift
    mkdir "$folder"
    quietly "$folder.log" sbuild --chroot-mode=unshare --chroot="$tarball" --dist="$suite" \
        --arch-any --no-source --no-run-lintian --no-run-piuparts --no-run-autopkgtest \
        --no-apt-update --no-apt-upgrade --no-apt-distupgrade --build-dir="$folder" \
        "$@" "$dsc"
}

stage="building the packages in the chroot, with the test-suite"
DEB_BUILD_OPTIONS="parallel=$(nproc)" timed sbuild_into "$build/first" &
first_build=$!

stage="building the packages again, without the tests"
# Once the first build runs its test-suite, which mostly waits for the windows of its tests and
# so leaves the processor to this build; then beside the checks and the autopkgtests of the first
# build's packages, which mostly do the same. sbuild writes its log as it goes.
first_log=$build/first/trivanta_${version}_$arch.build
first_testing_or_ended() {
    ! kill -0 "$first_build" 2>/dev/null || grep -q '^ *dh_auto_test' "$first_log" 2>/dev/null
}
within 3600 first_testing_or_ended || true
DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" timed sbuild_into "$build/second" \
    --profiles=nocheck &
second_build=$!

stage="building the packages in the chroot, with the test-suite"
wait "$first_build" || fail "see $build/first.log"
first_build=""
package=$build/first/trivanta_${version}_$arch.deb
dev_package=$build/first/libtrivanta-graph-dev_${version}_$arch.deb
for deb in "$package" "$dev_package"; do
    [ -f "$deb" ] || fail "the build made no $(basename "$deb")"
done
packages=("$build"/first/*.deb)
dpkg-deb -I "$package"
dpkg-deb -I "$dev_package"

stage="checking the source package and the packages with lintian"
# Every tag lintian knows, informational and pedantic ones included; errors and warnings fail.
timed lintian --pedantic --info --display-experimental --fail-on error,warning \
    "$dsc" "${packages[@]}"

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

stage="running the autopkgtests in the chroot"
# Against the packages just built, in a chroot unpacked afresh from the same tarball.
timed quietly "$build/autopkgtest.log" autopkgtest --no-built-binaries "${packages[@]}" "$dsc" \
    -- unshare --release="$suite" --tarball="$tarball"

stage="building the packages again, without the tests"
wait "$second_build" || fail "see $build/second.log"
second_build=""

stage="comparing the two builds"
for deb in "${packages[@]}"; do
    cmp "$deb" "$build/second/$(basename "$deb")" || fail "$(basename "$deb") differs"
done
[ "$(cd "$build/first" && ls ./*.deb)" = "$(cd "$build/second" && ls ./*.deb)" ] ||
    fail "the two builds made other packages: $(ls "$build/first" "$build/second")"
echo "package.sh: the two builds made the same ${#packages[@]} packages byte for byte"

stage="installing the package"
installed=yes
timeout 600 $sudo apt-get install -y -qq "$package"
[ -x /usr/games/trivanta ] || fail "/usr/games/trivanta is not there"

stage="asking the installed game for its usage and version"
/usr/games/trivanta --help | grep -q '^Usage: trivanta' || fail "--help printed no usage"
[ "$(/usr/games/trivanta --version)" = "trivanta $version" ] || fail "--version is not $version"
status=0
/usr/games/trivanta --play 2>"$work/usage" || status=$?
[ "$status" -eq 2 ] && grep -q '^Usage: trivanta' "$work/usage" ||
    fail "an unknown argument gave exit code $status and no usage on standard error"

stage="starting a private X server"
start_xvfb "$work"

stage="starting the installed game"
# The window is found by the process id on it (_NET_WM_PID), so finding it checks that too.
/usr/games/trivanta >"$work/game.log" 2>&1 &
game_pid=$!
window=$(window_of "$game_pid" 30) || fail "no window of the game within 30 s: $(cat "$work/game.log")"
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
screenshot=$build/package-screen.png
within 30 shows_the_menu "$X" "$Y" || fail "no menu within 30 s; the last screenshot is $screenshot"

stage="leaving through the menu"
end_with_keys "$game_pid" "$window" s s space
game_pid=""

stage="removing the package"
timeout 600 $sudo apt-get remove -y -qq trivanta
installed=""
[ ! -e /usr/games/trivanta ] || fail "/usr/games/trivanta is still there"

stage="stopping the X server"
kill "$xvfb_pid"
wait "$xvfb_pid" || true
xvfb_pid=""

echo "package.sh: $(basename "$package") and $(basename "$dev_package") built twice alike in a" \
    "clean chroot, clean for lintian, their autopkgtests passed; the game installed, showed its" \
    "menu, quit and was removed, all in $((SECONDS - stage_started)) s"
