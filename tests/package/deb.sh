#!/usr/bin/env bash
# The Debian package as a machine would get it: made by cpack from the build, unpacked into a
# temporary root (never installed here), the demo run from there with the packaged program,
# templates, grids, library and Python module; its manual page renders cleanly and lintian finds no
# error in it.
set -euo pipefail
build=$1
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" > /dev/null
deb=$(echo "$work"/deb/formalys_*_amd64.deb)
root=$work/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share/formalys
libdir=$root/usr/lib/x86_64-linux-gnu

app=$work/cabinet
mkdir -p "$app"
cp "$share"/*.pdf "$share"/*.cil "$share"/demo/Formalys.ini "$app/"
for form in MT DEPAT PIRES DSI; do
    "$root/usr/bin/formalys" generate --dir "$app" --form "$form" --out "$app/$form rempli.pdf" > /dev/null
done
(cd "$app" && "$root/usr/bin/formalys" 2035 --dir "$app" > /dev/null)
fields=$("$root/usr/bin/formalys" fields "$app/MT rempli.pdf")
grep -q "« nom »	« LEFÈVRE »" <<< "$fields" ||
    { echo "the packaged demo's MT document does not hold the patient's name"; exit 1; }
[ -s "$app/2035Ok.pdf" ] || { echo "the packaged demo wrote no form 2035"; exit 1; }

# The packaged library and Python module, as a host finds them.
PYTHONPATH=$root/usr/lib/python3/dist-packages FORMALYS_LIBRARY=$libdir/libformalys.so.1 python3 -c "
import formalys, sys
formalys.generate(sys.argv[1], 'DSI', out=sys.argv[1] + '/DSI python.pdf')" "$app"
[ -s "$app/DSI python.pdf" ] || { echo "the packaged Python module wrote no document"; exit 1; }

# Every plugin and translation the windows load at run time, which no linker sees, comes from a
# package the package depends on: the assistant is opened offscreen for a few seconds, and the
# plugins it loads (the loader's own trace) and the translations it reads (strace) are listed.
trace=$work/opened
LD_DEBUG=libs LD_DEBUG_OUTPUT=$work/loaded LD_LIBRARY_PATH=$libdir QT_QPA_PLATFORM=offscreen \
    timeout 2 strace -f -e trace=openat -o "$trace" \
    "$root/usr/bin/formalys-fenetres" assistant --dir "$app" --out "$app/x.pdf" > /dev/null 2>&1 || true
depends=$(dpkg-deb -f "$deb" Depends)
for file in $( (grep -h -o -E 'calling init: /usr/lib/x86_64-linux-gnu/qt6/plugins/[^ ]+' "$work"/loaded.* |
                cut -d' ' -f3; grep -o -E '"/usr/share/qt6/translations/[^"]+"' "$trace" | tr -d '"') |
               sort -u); do
    package=$(dpkg -S "$file" | cut -d: -f1)
    grep -q -E "(^|, )$package( |,|$)" <<< "$depends" ||
        { echo "the package does not depend on $package, which gives $file"; exit 1; }
done
grep -q 'plugins/iconengines/libqsvgicon.so' "$work"/loaded.* ||
    { echo "the windows did not load Qt's SVG plugin (the pause button's picture)"; exit 1; }
grep -q qtbase_fr.qm "$trace" || { echo "the windows did not load Qt's French translations"; exit 1; }

# The manual page's example works when pasted, here with the packaged files and a home of its own.
example=$(sed -n '/^\.SH EXEMPLE/,/^\.fi/p' "$source/packaging/formalys.1" | sed -e '1,2d' -e '$d' -e 's/\\-/-/g' \
          -e "s|/usr/share/formalys|$share|g" -e "s|^formalys |\"$root/usr/bin/formalys\" |")
(export HOME=$work/home && mkdir -p "$HOME" && bash -euo pipefail -c "$example" > /dev/null) ||
    { echo "the manual page's example fails:"; echo "$example"; exit 1; }
[ -s "$work/home/cabinet/MT.pdf" ] || { echo "the manual page's example wrote no document"; exit 1; }

warnings=$(MANWIDTH=100 LC_ALL=C.UTF-8 man --warnings -l "$root/usr/share/man/man1/formalys.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "the manual page has faults:"; echo "$warnings"; exit 1; }
lintian --fail-on error "$deb" > /dev/null 2>&1 || { echo "lintian finds errors in the package"; exit 1; }
