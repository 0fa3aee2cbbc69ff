#!/usr/bin/env bash
# Runs one fuzzer: ./scripts/fuzz.sh exchange|grid|pdf [seconds]
# Installs clang and its fuzzing runtime if missing, builds the fuzz preset, and fuzzes a copy of
# the committed corpus (build/fuzz/corpus/<target>), so the repository's corpus only grows by hand.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:?usage: scripts/fuzz.sh exchange|grid|pdf [seconds]}
seconds=${2:-600}

./scripts/setup.sh
missing=()
for p in clang libclang-rt-14-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake --preset fuzz
cmake --build --preset fuzz --target "${target}_fuzzer"

work=build/fuzz/corpus/$target
mkdir -p "$work"
cp -n fuzz/corpus/"$target"/* "$work"/
# The demonstration exchange file seeds the exchange fuzzer too, under the key it looks up first.
[ "$target" = exchange ] && { echo "PATIENT|NUMPA"; cat data/demo/Formalys.ini; } > "$work"/demo.txt
options=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix=build/fuzz/)
[ -f fuzz/"$target".dict ] && options+=(-dict=fuzz/"$target".dict)
exec ./build/fuzz/fuzz/"${target}"_fuzzer "${options[@]}" "$work"
