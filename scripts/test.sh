#!/usr/bin/env bash
# Sets up the machine, builds Formalys and runs the whole test suite: first the release build,
# then the debug build under AddressSanitizer and UndefinedBehaviorSanitizer, then the Windows
# build under Wine.
# FORMALYS_SKIP_SANITIZERS=1 runs the release build only.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
jobs=$(nproc)

cmake --preset release
cmake --build --preset release
ctest --preset release -j "$jobs"

if [ "${FORMALYS_SKIP_SANITIZERS:-0}" != 1 ]; then
    cmake --preset asan
    cmake --build --preset asan
    ctest --preset asan -j "$jobs"
fi

# Windows, 32- and 64-bit (hosts of both kinds load the component into their process),
# cross-built with MinGW-w64 and run under Wine; then the installer, which carries both builds,
# made in the 64-bit one and tested with it. The first run builds QPDF and libjpeg-turbo for
# Windows (about 4 minutes); later runs reuse them. FORMALYS_SKIP_WINDOWS=1 skips it.
if [ "${FORMALYS_SKIP_WINDOWS:-0}" != 1 ]; then
    ./scripts/setup-windows.sh
    cmake --preset windows-x86
    cmake --build --preset windows-x86
    ctest --preset windows-x86 -j "$jobs"
    cmake --preset windows-x64
    cmake --build --preset windows-x64 --target all installer
    ctest --preset windows-x64 -j "$jobs"
fi
