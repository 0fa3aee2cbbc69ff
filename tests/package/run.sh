#!/usr/bin/env bash
# The installed Formalys as hosts consume it: the build installed into a fresh prefix, libformalys
# exporting nothing but its two interfaces, and the installed Python module.
set -euo pipefail
build=$1
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" > /dev/null
library=$(find "$prefix" -name libformalys.so.1) # lib/ or Debian's lib/<multiarch>/
libdir=$(dirname "$library")

leaked=$(nm -D --defined-only "$library" | awk '$2 ~ /[A-Z]/ { print $3 }' | # global symbols only
         grep -v -E '^(formalys_[a-z_0-9]+|_ZN8formalys5SHPDF[A-Za-z0-9_]+|FORMALYS_1)@@FORMALYS_1$|^FORMALYS_1$' || true)
[ -z "$leaked" ] || { echo "libformalys exports more than its interfaces:"; echo "$leaked"; exit 1; }

export LD_LIBRARY_PATH=$libdir QT_QPA_PLATFORM=offscreen PYTHONPATH=$prefix/lib/python3/dist-packages

application() { # a fresh application directory with the templates and the grids
    mkdir -p "$work/$1"
    cp "$build"/data/forms/*.pdf "$source"/data/grids/*.cil "$work/$1/"
    echo "$work/$1"
}

# The installed module, finding the library on the loader's path; an unknown form refused by name.
# (The three example hosts are built and run from the guide's own commands: guide.sh.)
python3 "$source/examples/python/host.py" "$(application python)" 0.3 > "$work/python.out" 2>&1 &&
    grep -q "^refusé comme attendu : « XYZ » n'est pas un formulaire" "$work/python.out" || { cat "$work/python.out"; exit 1; }
# Without a host callback nor a path, the document is test.pdf in the component directory: the
# library's own, here in the prefix, where the user may write.
python3 -c "import formalys, sys; formalys.generate(sys.argv[1], 'DSI')" "$(application default)"
[ -s "$libdir/test.pdf" ] || { echo "no test.pdf beside the installed library"; exit 1; }
# Without a display, the example hosts say so and end with 1: guide.sh.
