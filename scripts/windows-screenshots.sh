#!/usr/bin/env bash
# Pictures of the Win32 windows for the README, on the demo data, under Wine on a real X server
# (Xvfb) in a Wine desktop of their own: docs/images/windows-assistant-ouverture.png,
# windows-assistant-MT.png, windows-about.png and windows-tray-menu.png.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
./scripts/setup-windows.sh
cmake --preset release
cmake --build --preset release --target formalys_topng
cmake --preset windows-x64
cmake --build --preset windows-x64 --target formalys_windows_screens
demo=$(mktemp -d)
out=$(mktemp -d)
trap 'rm -rf "$demo" "$out"' EXIT
cp data/demo/Formalys.ini build/windows-x64/data/forms/*.pdf data/grids/*.cil "$demo/"
# A prefix of its own, drawn by Wine's X11 driver (the test prefix draws nothing).
export WINEPREFIX=$PWD/build/windows-x64/wine-screens WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
xvfb-run -a -s "-screen 0 1600x1024x24" bash -c '
    [ -f "$WINEPREFIX/formalys-ready" ] || { wineboot -i && wineserver -w && touch "$WINEPREFIX/formalys-ready"; }
    trayer --edge top --align right --widthtype pixel --width 64 --height 28 \
           --transparent false --tint 0xe8e8e8 --SetDockType false &
    sleep 1
    wine explorer /desktop=Formalys,1280x800 build/windows-x64/tools/windows-screens/formalys-windows-screens.exe \
        "$(winepath -w "$1")" "$(winepath -w "$2")"
    status=$?
    wineserver -w
    kill %1
    exit $status' screenshots "$demo" "$out" > /dev/null 2>&1
QT_QPA_PLATFORM=offscreen build/release/tools/topng/formalys-topng "$out"/*.bmp
mkdir -p docs/images
cp "$out"/*.png docs/images/
ls "$out"/*.png
