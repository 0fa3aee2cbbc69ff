#!/usr/bin/env python3
"""A host written in Python: the same steps as examples/c/host.c.

    python3 host.py APPLICATION_DIRECTORY [SECONDS]
"""

import os
import sys
import time

import formalys

PATIENT = """[PATIENT]
NUMPA=1042
NOM=Lefèvre
PRENOM=Zoé
NOMASS=Lefèvre
PRENOMASS=Jérôme
NUMSS=1750369123456
CLENUMSS=14
DATEN=14/06/2012
[MEDECIN]
NOM=Dr Martin
IDNAT=691234567
[2035]
NOM=Béranger Cécile
AA=123 456
"""


def main():
    directory = os.path.abspath(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 30
    exchange = os.path.join(directory, "Formalys.ini")
    documents = []

    def write_exchange(document):
        with open(exchange, "w", encoding="utf-8") as file:
            file.write(PATIENT + f"[RESULTAT]\nFICHIER={document}\n")

    def name_document(a, b, c, d):
        documents.append(os.path.join(directory, f"document-{len(documents) + 1}.pdf"))
        write_exchange(documents[-1])

    write_exchange("")
    component = formalys.Component()
    component.CerfaInit(directory, 0, name_document)
    os.chdir(directory)  # form 2035 is written to the current directory
    component.Cerfa2035()
    for form in ("MT", "DEPAT", "PIRES", "DSI"):
        formalys.generate(None, form)
    print(f"{len(documents)} documents générés dans {directory}")
    try:
        formalys.generate(None, "XYZ")
    except formalys.FormalysError as error:
        print(f"refusé comme attendu : {error}")

    try:
        component.CerfaMenuPatient()
    except formalys.FormalysError as error:  # no display: the batch above is done all the same
        print(f"l'assistant ne s'ouvre pas : {error}")
        opened = False
    else:
        opened = True
        print("assistant ouvert", flush=True)
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            formalys.process_events(50)
    component.CerfaQuit()
    sys.exit(0 if opened else 1)


if __name__ == "__main__":
    main()
