#!/usr/bin/env bash
# Sets up the machine for the Windows builds of Formalys: the MinGW-w64 cross compilers, Wine (64-
# and 32-bit, with its own fonts) to run what they build, xwd and Netpbm for pictures of its
# windows, then QPDF and libjpeg-turbo, which Debian has no MinGW packages of, built as static
# libraries from Debian's own source packages. They go into one prefix per architecture outside the
# checkout, named after their versions:
#   ${FORMALYS_WINDOWS_CACHE:-~/.cache/formalys/windows}/<triplet>/qpdf-<version>+jpeg-<version>
# so that a second run (and CI after it) finds them and only prints where they are; the link
# <triplet>/current names the one the toolchain files use.
# The source packages are fetched with a private source list: the machine's apt configuration is
# left as it is. Prints the prefix of each architecture as "prefix <triplet> <path>".
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup-windows : ajout de l'architecture i386 (Wine 32 bits)"
    $sudo dpkg --add-architecture i386
    $sudo apt-get update -qq
fi
packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools libz-mingw-w64-dev
          wine wine64 wine32:i386 libwine-dev dpkg-dev ninja-build cmake xvfb xauth xdotool trayer
          nsis fonts-wine x11-apps netpbm)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup-windows : installation de ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" > /dev/null
fi

cache=${FORMALYS_WINDOWS_CACHE:-$HOME/.cache/formalys/windows}
sources=$cache/sources
mkdir -p "$sources"

# The source packages, once: a source list of our own, made from the machine's own archives.
if ! ls -d "$sources"/qpdf-*/ "$sources"/libjpeg-turbo-*/ > /dev/null 2>&1; then
    apt_dir=$(mktemp -d)
    trap 'rm -rf "$apt_dir"' EXIT
    mkdir -p "$apt_dir/lists/partial"
    {
        # deb822 files: a URIs line and a Suites line per stanza.
        for file in /etc/apt/sources.list.d/*.sources; do
            [ -f "$file" ] || continue
            awk 'function emit() {
                     n = split(suites, list, " ")
                     for (i = 1; i <= n && uri != ""; i++) print "deb-src " uri " " list[i] " main"
                     uri = ""; suites = ""
                 }
                 /^URIs:/ { uri = $2 }
                 /^Suites:/ { for (i = 2; i <= NF; i++) suites = suites " " $i }
                 /^[[:space:]]*$/ { emit() }
                 END { emit() }' "$file"
        done
        # One-line files: their "deb" lines, as "deb-src".
        for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
            [ -f "$file" ] || continue
            awk '$1 == "deb" { $1 = "deb-src"; print }' "$file"
        done
    } > "$apt_dir/sources.list"
    [ -s "$apt_dir/sources.list" ] || { echo "setup-windows : aucune source apt sur cette machine"; exit 1; }
    apt_options=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
                 -o Dir::State::Lists="$apt_dir/lists")
    # As root, apt hands downloads to its own user, who may not write our directories.
    [ "$(id -u)" -eq 0 ] && apt_options+=(-o APT::Sandbox::User=root)
    echo "setup-windows : téléchargement des sources de qpdf et libjpeg-turbo"
    apt-get "${apt_options[@]}" update -qq
    (cd "$sources" && apt-get "${apt_options[@]}" source -qq qpdf libjpeg-turbo > /dev/null)
fi
qpdf_source=$(ls -d "$sources"/qpdf-*/ | sort -V | tail -n 1)
jpeg_source=$(ls -d "$sources"/libjpeg-turbo-*/ | sort -V | tail -n 1)
qpdf_version=$(basename "$qpdf_source")
jpeg_version=$(basename "$jpeg_source")
# QPDF asks the linker for "Advapi32": on a case-sensitive file system the library is advapi32.
sed -i 's/\bAdvapi32\b/advapi32/g' "$qpdf_source/CMakeLists.txt" "$qpdf_source/libqpdf/CMakeLists.txt"

for triplet in x86_64-w64-mingw32 i686-w64-mingw32; do
    prefix=$cache/$triplet/${qpdf_version}+${jpeg_version#libjpeg-turbo-}
    toolchain=$PWD/cmake/toolchain-$triplet.cmake
    if [ ! -f "$prefix/done" ]; then
        echo "setup-windows : construction de $qpdf_version et $jpeg_version pour $triplet"
        work=$cache/$triplet/build
        rm -rf "$work" "$prefix"
        mkdir -p "$work"
        cmake -S "$jpeg_source" -B "$work/jpeg" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF \
            -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF > "$work.log" 2>&1
        cmake --build "$work/jpeg" >> "$work.log" 2>&1
        cmake --install "$work/jpeg" >> "$work.log" 2>&1
        # The host's pkg-config would hand the cross build Linux's include directories.
        PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig:/usr/$triplet/lib/pkgconfig \
        cmake -S "$qpdf_source" -B "$work/qpdf" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
            -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON -DREQUIRE_CRYPTO_NATIVE=ON \
            -DUSE_IMPLICIT_CRYPTO=OFF -DBUILD_DOC=OFF >> "$work.log" 2>&1
        cmake --build "$work/qpdf" --target libqpdf >> "$work.log" 2>&1 ||
            { tail -n 30 "$work.log"; echo "setup-windows : échec de la construction de QPDF"; exit 1; }
        # The headers and the library are QPDF's "dev" component, its CMake package files have none.
        { cmake --install "$work/qpdf" --component dev &&
          cmake --install "$work/qpdf" --component Unspecified; } >> "$work.log" 2>&1 ||
            { tail -n 30 "$work.log"; echo "setup-windows : échec de l'installation de QPDF"; exit 1; }
        rm -rf "$work"
        touch "$prefix/done"
    fi
    ln -sfn "$prefix" "$cache/$triplet/current" # what the toolchain files look for
    echo "prefix $triplet $prefix"
done
