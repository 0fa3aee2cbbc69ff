#!/usr/bin/env bash
# Pictures of the windows for the README, on the demo data, under a real X server (Xvfb):
# docs/images/assistant-ouverture.png, assistant-<form>.png, assistant-indication.png, assistant-fermeture.png, the preview
# beside the assistant (apercu-MT.png, apercu-DSI.png), the save dialog of `formalys assistant`
# (enregistrer.png), the tray menu before and after a pause
# (tray-menu.png, tray-menu-pause.png; trayer gives the X server a notification area) and the
# about window (about.png).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake --preset release
cmake --build --preset release --target screenshots formalys
demo=$(mktemp -d)
trap 'rm -rf "$demo"' EXIT
cp data/demo/Formalys.ini "$demo/"
cp build/release/data/forms/*.pdf data/grids/*.cil "$demo/"
mkdir -p docs/images
xvfb-run -a -s "-screen 0 1600x1024x24" bash -c '
    trayer --edge top --align right --widthtype pixel --width 64 --height 28 \
           --transparent false --tint 0xe8e8e8 --SetDockType false &
    sleep 1
    build/release/tools/screenshots/screenshots "$1" docs/images
    status=$?
    kill %1
    exit $status' screenshots "$demo"
