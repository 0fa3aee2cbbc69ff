#!/usr/bin/env bash
# Sets up the machine, builds Formalys and runs it on the bundled demo data.
# The demo application directory is build/demo: the exchange file of a sample patient and
# practitioner (data/demo/Formalys.ini) and the mapping grids (data/grids/*.cil).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake --preset release
cmake --build --preset release

demo=build/demo
formalys=build/release/src/cli/formalys
rm -rf "$demo"
mkdir -p "$demo"
cp data/demo/Formalys.ini "$demo/"
cp data/grids/*.cil "$demo/"

echo
echo "Répertoire de démonstration : $demo"
echo "Le composant lit le fichier d'échange comme suit :"
for entry in PATIENT:NOM PATIENT:PRENOM PATIENT:NUMSS PATIENT:ADR1 MEDECIN:NOM MEDECIN:IDNAT \
             PATIENT:DIAG3 MEDECIN:DATE; do
    section=${entry%%:*}
    key=${entry#*:}
    printf '  [%s] %-8s « %s »\n' "$section" "$key" "$("$formalys" exchange --dir "$demo" "$section" "$key")"
done

echo
echo "La grille de la déclaration de médecin traitant, telle que l'assistant la charge :"
"$formalys" grid "$demo/MT.cil"
