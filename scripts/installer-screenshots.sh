#!/usr/bin/env bash
# Pictures of the first two pages of the Windows installer for the README, under Wine on a real X
# server (Xvfb) in a Wine desktop of its own: docs/images/windows-installer-dossier-programme.png
# and windows-installer-dossier-cabinet.png. The installer runs in a fresh prefix, so that no
# earlier installation changes the folders it proposes, and is cancelled on the second page:
# nothing is installed, and the prefix is removed afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup-windows.sh
topng=build/release/tools/topng/formalys-topng
installer=build/windows-x64/Formalys-Setup-1.2.0.exe
# What an earlier build left is used as it is; only what is missing is built.
if [ ! -x "$topng" ]; then
    cmake --preset release
    cmake --build --preset release --target formalys_topng
fi
if [ ! -f "$installer" ]; then
    cmake --preset windows-x64
    cmake --build --preset windows-x64 --target installer
fi
work=$(mktemp -d)
mkdir -p build/windows-x64
prefix=$(mktemp -d "$PWD/build/windows-x64/wine-installer.XXXXXX")
trap 'WINEPREFIX="$prefix" wineserver -k 2> /dev/null || true; rm -rf "$work" "$prefix"' EXIT
cp "$installer" "$work/setup.exe"
export WINEPREFIX=$prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -u -o pipefail
    cd "$1"
    wineboot -i && wineserver -w || exit 1
    # Wine'\''s own fonts (Tahoma for the dialogs, Marlett for the buttons of the title bar):
    # Debian'\''s Wine 8 does not load them from /usr/share/wine/fonts, only from the prefix.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" || exit 1
    wine explorer /desktop=Formalys,800x600 setup.exe &
    # The installer has a window of its own, child of the desktop: its picture is the window only.
    window=""
    for _ in $(seq 120); do
        window=$(xdotool search --name "^Installation de Formalys" 2> /dev/null | head -n 1) || true
        [ -n "$window" ] && break
        sleep 0.5
    done
    [ -n "$window" ] || exit 1
    # The banner of the page (its title and subtitle), which tells one page from another: the
    # caret blinks in the folder field below it.
    banner() { xwd -silent -id "$window" | xwdtopnm 2> /dev/null | pamcut -top 0 -height 60 | md5sum; }
    # Waits until the banner is drawn and differs from the one given, and no longer changes.
    shown() {
        local previous="" now
        for _ in $(seq 40); do
            sleep 0.5
            now=$(banner) || continue
            [ "$now" != "$1" ] && [ "$now" = "$previous" ] && return 0
            previous=$now
        done
        return 1
    }
    capture() { xwd -silent -id "$window" | xwdtopnm 2> /dev/null > "$1"; }
    # A click on its title bar gives it the keyboard; the pointer then leaves it.
    xdotool mousemove --window "$window" 150 10 click 1 mousemove 0 0
    status=0
    if shown "" && capture dossier-programme.ppm; then
        first=$(banner)
        xdotool key Return
        shown "$first" && capture dossier-cabinet.ppm || status=1
    else
        status=1
    fi
    # Cancelled, as the user would: Escape, and Enter if the installer asks whether to leave.
    gone() {
        for _ in $(seq 10); do
            xdotool search --name "^Installation de Formalys" > /dev/null 2>&1 || return 0
            sleep 0.5
        done
        return 1
    }
    xdotool key Escape
    gone || { xdotool key Return; gone; } || true
    wineserver -k
    wait
    exit $status' screenshots "$work" > /dev/null 2>&1 ||
    { echo "installer-screenshots : l'installateur n'a pas montré ses deux pages"; exit 1; }
QT_QPA_PLATFORM=offscreen "$topng" "$work"/dossier-programme.ppm "$work"/dossier-cabinet.ppm
mkdir -p docs/images
for page in dossier-programme dossier-cabinet; do
    cp "$work/$page.png" "docs/images/windows-installer-$page.png"
    echo "docs/images/windows-installer-$page.png"
done
