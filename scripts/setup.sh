#!/usr/bin/env bash
# Installs every Debian package Formalys needs to build, test, benchmark and run its demo, and the
# packages named as arguments (scripts that need more, such as producer-fixtures.sh).
# Idempotent: packages already installed are skipped, and apt-get runs only when something is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    libqpdf-dev qpdf                 # PDF documents
    nlohmann-json3-dev               # grid files
    libcli11-dev                     # command-line parsing
    qt6-base-dev libxkbcommon-dev    # windows (Qt 6 Widgets)
    libqt6svg6                       # the SVG pictures of the buttons
    qt6-pdf-dev                      # the preview of the document (Qt PDF, LGPL, linked dynamically)
    libgtest-dev libgmock-dev        # tests
    libbenchmark-dev hyperfine       # benchmarks
    poppler-utils                    # pdftoppm: rendering checks and screenshots
    xvfb xauth fonts-dejavu-core     # widget tests and readable text
    trayer                           # a notification area under Xvfb, for the screenshots
    dpkg-dev fakeroot lintian strace # the Debian package: dpkg-shlibdeps, its checks
    qt6-translations-l10n            # Qt's own dialogs in French
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "setup : tous les paquets nécessaires sont déjà installés"
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "setup : installation de ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
