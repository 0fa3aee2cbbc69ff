#!/bin/sh
# The Win32 assistant driven from outside its process, as a user drives it: a host opens it
# modally under Wine on an Xvfb display, and xdotool sends X key events to its window: the first
# form of the list, a cell corrected, Alt+G. The document the host named is then read back.
#   x-events.sh WORK FORMS GRIDS HOST DLL
set -eu
work=$1 forms=$2 grids=$3 host=$4 dll=$5
command -v xdotool > /dev/null && command -v xvfb-run > /dev/null || {
    echo "xdotool and xvfb-run are needed (scripts/setup-windows.sh)"; exit 1; }
rm -rf "$work/app" && mkdir -p "$work/app"
cp "$forms"/*.pdf "$grids"/*.cil "$host" "$dll" "$work/app/"
printf '[PATIENT]\r\nNUMPA=12\r\nNOM=Lefevre\r\nNUMSS=2750369123456\r\nCLENUMSS=61\r\n' > "$work/app/Formalys.ini"
# A prefix of its own, drawn by Wine's X11 driver.
export WINEPREFIX="$work/wine-x11" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export work
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    [ -f "$WINEPREFIX/formalys-ready" ] || { wineboot -i && wineserver -w && touch "$WINEPREFIX/formalys-ready"; }
    app=$(winepath -w "$work/app")
    wine "$work/app/$(basename "$0")" "$app" "$app\\document.pdf" &
    window=$(timeout 60 xdotool search --sync --name "Formalys, par Tournesolo" | head -n 1)
    sleep 1
    xdotool windowfocus --sync "$window"
    xdotool key --delay 100 Down               # the first form of the list: MT, the sheet takes the keys
    sleep 1
    xdotool type --delay 50 "1480575123456"    # the social-security number, typed over
    xdotool key --delay 100 Return alt+g       # committed, then generated
    wait' "$(basename "$host")" > "$work/host.log" 2>&1 || { cat "$work/host.log"; exit 1; }
# The field "imm 1" holds the first character of the number: 1 as typed, 2 as the host wrote it.
value=$(qpdf --json --json-key=acroform "$work/app/document.pdf" | python3 -c '
import json, sys
fields = json.load(sys.stdin)["acroform"]["fields"]
print(next(f["value"] for f in fields if f["fullname"] == "imm 1"))')
[ "$value" = "u:1" ] || [ "$value" = "1" ] || {
    echo "imm 1 holds $value, not the 1 typed"; cat "$work/host.log"; exit 1; }
echo "the document holds what was typed"
