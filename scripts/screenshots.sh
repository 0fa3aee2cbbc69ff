#!/usr/bin/env bash
# Pictures of the windows for the README, on the demo data, under a real X server (Xvfb):
# docs/images/assistant-<form>.png, assistant-indication.png and assistant-fermeture.png.
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
xvfb-run -a -s "-screen 0 1280x1024x24" build/release/tools/screenshots/screenshots "$demo" docs/images
