#!/usr/bin/env bash
# Sets up the machine, builds Formalys and runs the whole test suite: first the release build,
# then the debug build under AddressSanitizer and UndefinedBehaviorSanitizer.
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
