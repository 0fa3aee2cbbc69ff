#!/usr/bin/env bash
# Remakes tests/fixtures/producers/: small one-page forms written by real PDF producers (pdf-lib,
# LibreOffice, pypdf, qpdf) and a few written object by object, then checks that every file still
# holds the fields listed in tests/fixtures/producers/fields.tsv.
# Installs what it needs first; packages already there are skipped. pdf-lib goes into a scratch
# folder (PRODUCERS_DIR, /tmp/formalys-producers by default), never into the repository.
set -euo pipefail
cd "$(dirname "$0")/.."

pdf_lib_version=1.17.1
scratch=${PRODUCERS_DIR:-/tmp/formalys-producers}
fixtures=tests/fixtures/producers
helpers=scripts/producers
# Debian's python, which python3-pypdf installs into (another python3 may come first on PATH).
python=/usr/bin/python3

packages=(qpdf python3-pypdf libreoffice-writer-nogui)
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    packages+=(nodejs npm)
fi
./scripts/setup.sh "${packages[@]}"

mkdir -p "$scratch"
installed=$(node -p "require('$scratch/node_modules/pdf-lib/package.json').version" 2>/dev/null || true)
if [ "$installed" != "$pdf_lib_version" ]; then
    echo "producer-fixtures: installing pdf-lib $pdf_lib_version into $scratch"
    npm install --prefix "$scratch" --no-save --no-audit --no-fund --silent "pdf-lib@$pdf_lib_version"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# pdf-lib: accents in names and values, a comb field, a check box, a radio group.
NODE_PATH="$scratch/node_modules" node "$helpers/pdf-lib.js" "$work/pdf-lib.pdf"

# LibreOffice: Writer reads the HTML inputs as form controls and exports them as fields. A
# profile of its own keeps it clear of any office already running.
soffice -env:UserInstallation="file://$scratch/libreoffice-profile" --headless \
    --infilter="HTML (StarWriter)" --convert-to pdf:writer_pdf_Export \
    --outdir "$work" "$helpers/libreoffice-form.html" >"$work/soffice.log" 2>&1 || true
# soffice reports a failed conversion only by the missing file.
if [ ! -s "$work/libreoffice-form.pdf" ]; then
    cat "$work/soffice.log" >&2
    echo "producer-fixtures: LibreOffice wrote no PDF" >&2
    exit 1
fi
mv "$work/libreoffice-form.pdf" "$work/libreoffice.pdf"

"$python" "$helpers/pypdf-form.py" "$work/pypdf.pdf"

# qpdf rewrites of the pdf-lib form: other cross-reference layouts, encryption that opens with
# the empty user password, and a table whose offsets are wrong.
qpdf --deterministic-id --object-streams=generate "$work/pdf-lib.pdf" "$work/qpdf-object-streams.pdf"
qpdf --encrypt "" owner 256 -- "$work/pdf-lib.pdf" "$work/qpdf-aes256.pdf"
qpdf --allow-weak-crypto --encrypt "" owner 128 --use-aes=n -- \
    "$work/pdf-lib.pdf" "$work/qpdf-rc4.pdf"
qpdf --deterministic-id --object-streams=disable "$work/pdf-lib.pdf" "$work/classic.pdf"
"$python" "$helpers/damage-xref.py" "$work/classic.pdf" "$work/qpdf-damaged-xref.pdf"
rm "$work/classic.pdf"

"$python" "$helpers/handmade.py" "$work"

# qpdf reads every file without error; only the damaged one may warn (exit status 3).
for f in "$work"/*.pdf; do
    status=0
    qpdf --check "$f" >/dev/null 2>&1 || status=$?
    expected=0
    if [ "$(basename "$f")" = qpdf-damaged-xref.pdf ]; then
        expected=3
    fi
    if [ "$status" -ne "$expected" ]; then
        echo "producer-fixtures: qpdf --check $(basename "$f") exited $status, not $expected" >&2
        exit 1
    fi
done

mkdir -p "$fixtures"
rm -f "$fixtures"/*.pdf
mv "$work"/*.pdf "$fixtures/"
ls -l "$fixtures"/*.pdf
"$python" "$helpers/check-fields.py" "$fixtures"
echo "producer-fixtures: $fixtures matches fields.tsv"
