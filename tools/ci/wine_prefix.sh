#!/usr/bin/env bash
# Source it: makes (once, from nothing and without network) and selects the Wine prefix of a
# Windows build folder, set up for unattended runs.
#   . tools/ci/wine_prefix.sh build-win
# A crash never waits on a dialog, windows close at once without a window manager, and the two
# Chinese faces the game asks for are the installed Chinese fonts.
export WINEPREFIX=$PWD/${1:?usage: . tools/ci/wine_prefix.sh <Windows build folder>}/wine-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Sets a registry value in the prefix: wine_setting <key> <name> <type> <value>
wine_setting() {
    timeout 120 wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null
}

# The mark is made last, so that a prefix whose making was cut short is made again.
if [ ! -f "$WINEPREFIX/set-up" ]; then
    echo "Making the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    # Without a display Wine's first start shows nothing; it still may take a minute or two.
    DISPLAY= timeout 600 wineboot -i
    timeout 300 wineserver -w
    wine_setting 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0
    wine_setting 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ N
    wine_setting 'HKCU\Software\Wine\Fonts\Replacements' SimHei REG_SZ 'WenQuanYi Zen Hei'
    wine_setting 'HKCU\Software\Wine\Fonts\Replacements' SimSun REG_SZ 'AR PL UMing CN'
    timeout 300 wineserver -w
    touch "$WINEPREFIX/set-up"
fi

# Starts one Wine server for a whole run, kept until `wineserver -k`, and Wine's own services
# in it. They are started here with nothing attached: the first program of a run starts them
# otherwise, and they inherit its output, so that whoever reads that output to its end (ctest
# listing the tests, a command substitution) waits as long as the server lives.
start_wine_server() {
    wineserver -p
    timeout 300 wine wineboot </dev/null >/dev/null 2>&1
}
