#!/usr/bin/env bash
# Installs the build into a fresh prefix, builds tests/package against it with find_package, and
# runs the host program: the library is found, linked and loaded as a host would.
set -euo pipefail
build=$1
source=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" > /dev/null
cmake -S "$source" -B "$work/host" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" > /dev/null
cmake --build "$work/host" > /dev/null
LD_LIBRARY_PATH="$work/prefix/lib" "$work/host/host" "$work" 2>&1 | tee "$work/output"
grep -q "Le fichier <2035.pdf> de référence est introuvable !" "$work/output"
pkg-config --exists --print-errors "$work/prefix/lib/pkgconfig/formalys.pc"
