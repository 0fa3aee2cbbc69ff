#!/bin/sh
# The example host as a practice installs it: host.exe with formalys.dll beside it, run on an
# application directory holding the templates and the grids; it names four documents and form
# 2035 is written, each a PDF.
#   example-host.sh SCRATCH FORMS GRIDS HOST DLL RUNNER...
set -eu
scratch=$1 forms=$2 grids=$3 host=$4 dll=$5
shift 5
rm -rf "$scratch"
mkdir -p "$scratch/Cabinet Médical"
cp "$host" "$scratch/host.exe"
cp "$dll" "$scratch/"
cp "$forms"/*.pdf "$grids"/*.cil "$scratch/Cabinet Médical/"
cd "$scratch"
said=$("$@" ./host.exe "Cabinet Médical" | tr -d '\r')
printf "%s\n" "$said"
case $said in
"4 documents générés dans "*'\Cabinet Médical') ;;
*) echo "unexpected output"; exit 1 ;;
esac
for document in document-1 document-2 document-3 document-4 2035Ok; do
    head -c 5 "Cabinet Médical/$document.pdf" | grep -q '^%PDF-' || { echo "no $document.pdf"; exit 1; }
done
