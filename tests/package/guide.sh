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
