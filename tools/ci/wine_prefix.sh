#!/usr/bin/env bash
# Source it: makes (once, from nothing and without network) and selects the Wine prefix of a
# Windows build folder, set up for unattended runs.
#   . tools/ci/wine_prefix.sh build-win
# A crash never waits on a dialog, windows close at once without a window manager, and the two
# Chinese faces the game asks for are the installed Chinese fonts.
export WINEPREFIX=$PWD/${1:?usage: . tools/ci/wine_prefix.sh <Windows build folder>}/wine-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Making the Wine prefix $WINEPREFIX"
    # Without a display Wine's first start shows nothing; it still may take a minute.
    DISPLAY= timeout 600 wineboot -i
    wineserver -w
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimHei /d 'WenQuanYi Zen Hei' /f >/dev/null
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d 'AR PL UMing CN' /f >/dev/null
    wineserver -w
fi
