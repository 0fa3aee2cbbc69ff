#!/bin/sh
# Runs a program built for Windows under Wine: wine-run.sh PREFIX PROGRAM [ARGUMENT...].
# PREFIX is the build's own Wine prefix, made on first use; Wine stays quiet, never opens a crash
# dialog or a debugger, so that a failing test fails instead of waiting for a click, and draws its
# windows with its null display driver: they exist, and take messages, with no screen at all.
set -e
WINEPREFIX=$1
shift
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
if [ ! -f "$WINEPREFIX/formalys-ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    flock "$WINEPREFIX.lock" sh -c '[ -f "$WINEPREFIX/formalys-ready" ] || {
        wineboot -i && wine reg add "HKCU\Software\Wine\Drivers" /v Graphics /d null /f &&
        wineserver -w && touch "$WINEPREFIX/formalys-ready"; }' > /dev/null 2>&1
fi
# Wine's server and its services outlive the program: started here, away from the program's output,
# they cannot keep the pipe of a test runner open after the program has ended.
if wineserver -p5 < /dev/null > /dev/null 2>&1; then
    wine wineboot < /dev/null > /dev/null 2>&1 || true
fi
# FORMALYS_WINE names another loader: /usr/lib/wine/wine64 runs Wine's own 64-bit programs (cscript,
# reg, regsvr32), which plain wine starts in their 32-bit form.
exec "${FORMALYS_WINE:-wine}" "$@"
