#!/usr/bin/env bash
# Builds the Windows ZIP and installer of a Windows build folder with CPack, and tries both under
# Wine on a private X server: the unpacked program and the installed one start and reach the
# menu, the installer makes the Start-menu entry and the uninstaller removes everything again.
#   tools/ci/windows_package.sh build-win
set -euo pipefail

cd "$(dirname "$0")/../.."
build=${1:?usage: tools/ci/windows_package.sh <Windows build folder>}
. tools/ci/wine_prefix.sh "$build"

work=$(mktemp -d)
server_pid=
cleanup() {
    [ -z "$server_pid" ] || kill "$server_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Polls a condition every half second; fails after the given number of seconds.
within() {  # within <seconds> <command>...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.5
    done
}

menu_shown() { xwininfo -root -tree 2>/dev/null | grep -q '"Trivanta": ("trivanta.exe"'; }

# Starts a program on the private server, waits for the menu's caption, and ends the program.
reaches_menu() {  # reaches_menu <program.exe>
    wine "$1" >/dev/null 2>&1 &
    local program=$!
    local shown=0
    within 90 menu_shown && shown=1
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    within 30 bash -c '! xwininfo -root -tree 2>/dev/null | grep -q trivanta.exe' || true
    [ $shown -eq 1 ]
}

(cd "$build" && cpack -G "ZIP;NSIS" >/dev/null)
zip=$(realpath "$build"/trivanta-*-win64.zip)
installer=$(realpath "$build"/trivanta-*-win64.exe)
echo "packages: $(du -h "$zip" "$installer" | awk '{printf "%s %s  ", $2, $1}')"

# The server picks a free display number and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
server_pid=$!
within 20 test -s "$work/display"
export DISPLAY=:$(head -n1 "$work/display")

echo "The ZIP: unpacked, its program reaches the menu."
(cd "$work" && cmake -E tar xf "$zip")
unpacked=$(ls -d "$work"/trivanta-*-win64)
test -f "$unpacked/trivanta.exe" && test -f "$unpacked/README.md"
reaches_menu "$unpacked/trivanta.exe"

echo "The installer: silent, for this user, with a Start-menu entry."
programs=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")/Programs/Trivanta
menu=$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")/Microsoft/Windows/Start\ Menu/Programs/Trivanta
wine "$installer" /S
within 60 test -f "$programs/Uninstall.exe"
test -f "$programs/trivanta.exe"
ls "$menu"/*.lnk >/dev/null
reaches_menu "$programs/trivanta.exe"

echo "The uninstaller removes the program and its entry."
wine "$programs/Uninstall.exe" /S
within 60 test ! -e "$programs/trivanta.exe"
within 30 test ! -e "$menu"
echo "Windows packages: all checks passed"
