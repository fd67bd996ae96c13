#!/usr/bin/env bash
# Builds the Windows ZIP and installer of a Windows build folder with CPack and tries both under
# Wine on a private X server, as a player would: the ZIP holds the program, the README and the
# licence, and its program shows the menu; the installer, run silently, installs for this user
# only (it asks for no administrator rights and writes nothing for all users), makes the two
# Start-menu entries (the second plays with colour marks), and its program shows the menu; the
# uninstaller removes it all again. The runtime's kit for programmers, made beside them, is tried
# by tools/ci/windows_dev_kit.sh.
#   tools/ci/windows_package.sh build-win     with the Wine prefix tools/ci/wine_prefix.sh makes
# Needs, besides the Windows build: wine wine64 nsis xvfb xdotool x11-utils imagemagick
set -Eeuo pipefail

cd "$(dirname "$0")/../.."
script=windows_package.sh
source tools/ci/package_common.sh
build=${1:?usage: tools/ci/windows_package.sh <Windows build folder>}
source tools/ci/wine_prefix.sh "$build"
work=$(mktemp -d)
screenshot=$build/windows-package-screen.png

program_pid=""
xvfb_pid=""
# Whatever the run left behind when it stops early: the program and the server.
cleanup() {
    trap - ERR
    if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# A path of the Wine prefix's Windows for one of its environment variables, as a Unix path.
windows_folder() {  # windows_folder <variable>
    timeout 60 winepath -u "$(timeout 60 wine cmd /c echo "%$1%" | tr -d '\r')"
}

captioned_trivanta() {  # captioned_trivanta <window>
    [ "$(xdotool getwindowname "$1")" = Trivanta ]
}

# Starts a program, waits for its menu and leaves through it, which must end it with 0.
shows_menu_and_quits() {  # shows_menu_and_quits <program.exe>
    wine "$1" >"$work/program.log" 2>&1 &
    program_pid=$!
    local window
    window=$(window_of "$program_pid" 90) || fail "no window within 90 s: $(cat "$work/program.log")"
    within 60 captioned_trivanta "$window" ||
        fail "the window's caption is not Trivanta within 60 s"
    wine_client_area "$window" 480 640
    within 30 shows_the_menu $((X + client_left)) $((Y + client_top)) ||
        fail "no menu within 30 s; the last screenshot is $screenshot"
    end_with_keys "$program_pid" "$window" s s space
    program_pid=""
}

stage="making the ZIP, the installer and the kit"
(cd "$build" && cpack) >"$work/cpack.log" 2>&1 || fail "$(tail -n 20 "$work/cpack.log")"
zip=$(realpath "$build"/trivanta-*-win64.zip)
installer=$(realpath "$build"/trivanta-*-win64.exe)
kit_zip=$(realpath "$build"/trivanta-graph-*-mingw64.zip)
echo "$script: $(du -h "$zip" "$installer" "$kit_zip" | awk '{printf "%s %s  ", $2, $1}')"

stage="starting a private X server"
start_xvfb "$work"

stage="unpacking the ZIP"
(cd "$work" && cmake -E tar xf "$zip")
unpacked=$(basename "$zip" .zip)
(cd "$work/$unpacked" && ls) >"$work/zip-files"
printf '%s\n' LICENSE README.md trivanta.exe | cmp -s - "$work/zip-files" ||
    fail "the ZIP holds $(tr '\n' ' ' <"$work/zip-files")instead of LICENSE README.md trivanta.exe"

stage="asking the unpacked program for its version"
# Asked at a prompt it answers there; here standard output is a pipe, written in Windows' lines.
version=${unpacked#trivanta-}
version=${version%-win64}
answer=$(timeout 60 wine "$work/$unpacked/trivanta.exe" --version | tr -d '\r')
[ "$answer" = "trivanta $version" ] || fail "--version answered \"$answer\", not trivanta $version"

stage="starting the unpacked program"
shows_menu_and_quits "$work/$unpacked/trivanta.exe"

stage="installing silently"
# The installer's manifest asks Windows to run it as the user who started it, not as an
# administrator.
grep -aq 'level="asInvoker"' "$installer" || fail "the installer asks for administrator rights"
programs=$(windows_folder LOCALAPPDATA)/Programs/Trivanta
start_menu=$(windows_folder APPDATA)"/Microsoft/Windows/Start Menu/Programs/Trivanta"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Trivanta'
timeout 300 wine "$installer" /S
for file in trivanta.exe README.md LICENSE Uninstall.exe; do
    [ -f "$programs/$file" ] || fail "$programs/$file is not there"
done
# The Start-menu entry starts the installed program, whose icon it shows.
grep -aq 'trivanta.exe' "$start_menu/Trivanta.lnk" ||
    fail "no Start-menu entry for trivanta.exe in $start_menu"
# The second one passes --patterns; a shortcut keeps its arguments in UTF-16.
tr -d '\0' <"$start_menu/Trivanta with colour marks.lnk" | grep -aq -- '--patterns' ||
    fail "no Start-menu entry for trivanta.exe --patterns in $start_menu"
timeout 60 wine reg query "$uninstall_key" /v UninstallString >/dev/null ||
    fail "Windows' list of programs for this user has no Trivanta"
! timeout 60 wine reg query "${uninstall_key/HKCU/HKLM}" >/dev/null 2>&1 ||
    fail "the installer wrote to the list of programs for all users"

stage="starting the installed program"
shows_menu_and_quits "$programs/trivanta.exe"

stage="uninstalling silently"
# The uninstaller copies itself away and runs from there, so its first process ends at once.
timeout 300 wine "$programs/Uninstall.exe" /S
within 120 test ! -e "$programs" || fail "$programs is still there: $(ls -A "$programs")"
within 30 test ! -e "$start_menu" || fail "the Start-menu entry is still there"
! timeout 60 wine reg query "$uninstall_key" >/dev/null 2>&1 ||
    fail "the list of programs still has Trivanta"

stage="trying the kit for programmers"
tools/ci/windows_dev_kit.sh "$kit_zip"

stage="stopping the X server"
kill "$xvfb_pid"
wait "$xvfb_pid" || true
xvfb_pid=""

echo "$script: the ZIP and the installer were checked; both programs showed the menu and quit," \
    "the uninstaller removed the installed one, and the kit's examples built and ran"
