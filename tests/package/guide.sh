#!/usr/bin/env bash
# The guide for host developers, tried from zero: the commands of docs/integration.md marked
# "guide: prefix" run as they stand, from a copy of the sources' examples, with the release build
# of BUILD as build/release and a home of their own; each example host must say what it did.
set -euo pipefail
build=$1
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/root/build" "$work/home"
cp -r "$source/examples" "$work/root/"
ln -s "$build" "$work/root/build/release"
commands=$(awk '/<!-- guide: prefix -->/ { found = 1; next }
                found && /^```sh/ { inside = 1; next }
                inside && /^```/ { exit }
                inside { print }' "$source/docs/integration.md")
[ -n "$commands" ] || { echo "the guide has no block marked « guide: prefix »"; exit 1; }
(cd "$work/root" && HOME=$work/home QT_QPA_PLATFORM=offscreen bash -euo pipefail -c "$commands") \
    > "$work/out" 2>&1 || { cat "$work/out"; echo "the guide's commands fail"; exit 1; }
[ "$(grep -c '^4 documents générés' "$work/out")" -eq 2 ] || { cat "$work/out"; echo "a host generated nothing"; exit 1; }
[ "$(grep -c '^assistant ouvert' "$work/out")" -eq 3 ] || { cat "$work/out"; echo "a host opened no assistant"; exit 1; }
# Without a display, each host says so in French and ends with 1: no abort.
essai=$work/home/formalys-essai
for host in "./c-host cabinet 0" "python3 $work/root/examples/python/host.py cabinet 0" "cpp-host/host cabinet 0"; do
    status=0
    (cd "$essai" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
        PYTHONPATH="$work/home/formalys-prefix/lib/python3/dist-packages" \
        LD_LIBRARY_PATH="$work/home/formalys-prefix/lib/x86_64-linux-gnu" $host) > "$work/none" 2>&1 || status=$?
    { [ "$status" -eq 1 ] && grep -qi "aucun écran disponible" "$work/none"; } ||
        { cat "$work/none"; echo "without a display, « $host » must say so and end with 1 (it ended with $status)"; exit 1; }
done
[ -z "$(ls "$work/root" | grep -v '^examples$\|^build$')" ] || { ls "$work/root"; echo "the guide wrote into the sources"; exit 1; }
