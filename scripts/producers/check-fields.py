#!/usr/bin/python3
"""Lists the terminal fields of each PDF from its objects, as qpdf decodes them, and compares
them with fields.tsv (file, name, kind, on_state).

A terminal field is a field dictionary none of whose kids has /T; kids without /T are its
widgets, even when /AcroForm /Fields lists them too. A widget on a page that no /Fields entry
reaches is a field of its own. Full names join the partial names with dots.

Usage: python3 check-fields.py FIXTURE_DIR        compare with FIXTURE_DIR/fields.tsv
       python3 check-fields.py --print FILE.pdf...  print the rows the files hold
"""
import json
import os
import re
import subprocess
import sys

REF = re.compile(r"^(\d+) (\d+) R$")
RADIO = 1 << 15
PUSHBUTTON = 1 << 16


def load(path):
    # qpdf decrypts with the empty user password and rebuilds a damaged table; its warnings
    # (exit status 3) are expected for some of these files.
    run = subprocess.run(["qpdf", "--json=2", "--json-key=qpdf", path],
                         capture_output=True, text=True)
    if run.returncode not in (0, 3):
        sys.exit("check-fields: qpdf could not read %s: %s" % (path, run.stderr))
    objects = {}
    for key, value in json.loads(run.stdout)["qpdf"][1].items():
        value = value.get("value", value.get("stream", {}).get("dict"))
        objects["trailer" if key == "trailer" else key[len("obj:"):]] = value
    return objects


class Pdf:
    def __init__(self, path):
        self.objects = load(path)

    def get(self, value):
        """The value, with an indirect reference followed."""
        if isinstance(value, str) and REF.match(value):
            return self.objects.get(value)
        return value

    def key(self, dictionary, name):
        return self.get((self.get(dictionary) or {}).get(name))

    def inherited(self, ref, name):
        seen = set()
        while ref is not None and ref not in seen:
            seen.add(ref)
            value = self.key(ref, name)
            if value is not None:
                return value
            ref = (self.get(ref) or {}).get("/Parent")
        return None


def text(value):
    if value is None:
        return ""
    if value.startswith("u:"):
        return value[2:]
    if value.startswith("b:"):
        return bytes.fromhex(value[2:]).decode("latin-1")
    return value


def terminal_fields(pdf):
    """(object, full name) of each terminal field, in /Fields order then page order."""
    root = pdf.get(pdf.objects["trailer"].get("/Root"))
    acroform = pdf.get((root or {}).get("/AcroForm")) or {}
    fields, seen, covered = [], set(), set()

    def title(ref):
        return (pdf.get(ref) or {}).get("/T")

    def is_widget_kid(ref):
        return title(ref) is None and (pdf.get(ref) or {}).get("/Parent") is not None

    def visit(ref, prefix):
        if ref in seen:
            return
        seen.add(ref)
        node = pdf.get(ref) or {}
        name = text(title(ref))
        full = name if not prefix else (prefix + "." + name if name else prefix)
        kids = pdf.get(node.get("/Kids")) or []
        if any(title(kid) is not None for kid in kids):
            for kid in kids:
                visit(kid, full)
            return
        fields.append((ref, full))
        covered.add(ref)
        covered.update(kids)

    def prefix_of(ref):
        names, parent = [], (pdf.get(ref) or {}).get("/Parent")
        while parent is not None and parent not in names:
            names.append(parent)
            parent = (pdf.get(parent) or {}).get("/Parent")
        return ".".join(text(title(p)) for p in reversed(names) if title(p) is not None)

    def visit_field_of(ref):
        # A kid without /T stands for its parent field.
        while is_widget_kid(ref):
            ref = (pdf.get(ref) or {}).get("/Parent")
        visit(ref, prefix_of(ref))

    for ref in pdf.get(acroform.get("/Fields")) or []:
        visit_field_of(ref)
    pages = [pdf.key(root, "/Pages")]
    while pages:
        node = pages.pop(0)
        if node.get("/Kids") is not None:
            pages[0:0] = [pdf.get(kid) for kid in pdf.get(node["/Kids"])]
            continue
        for annot in pdf.get(node.get("/Annots")) or []:
            if pdf.key(annot, "/Subtype") == "/Widget" and annot not in covered:
                visit_field_of(annot)
    return fields


def on_states(pdf, widget):
    states = pdf.key(pdf.key(widget, "/AP"), "/N") or {}
    return [state[1:] for state in states if state != "/Off"] if isinstance(states, dict) else []


def rows(path):
    pdf = Pdf(path)
    result = []
    for ref, name in terminal_fields(pdf):
        kind = pdf.inherited(ref, "/FT")
        flags = pdf.inherited(ref, "/Ff") or 0
        kids = pdf.get(pdf.key(ref, "/Kids") or []) or []
        widgets = kids or [ref]
        on = ""
        if kind == "/Tx":
            kind = "text"
        elif kind == "/Btn" and not flags & PUSHBUTTON:
            kind = "radio" if flags & RADIO else "checkbox"
            on = next((s for w in widgets for s in on_states(pdf, w)), "")
        else:
            kind = {"/Ch": "choice", "/Sig": "signature"}.get(kind, "button")
        result.append((os.path.basename(path), name, kind, on))
    return result


def main(argv):
    if argv[:1] == ["--print"]:
        for path in argv[1:]:
            for row in rows(path):
                print("\t".join(row))
        return 0
    folder = argv[0]
    with open(os.path.join(folder, "fields.tsv"), encoding="utf-8") as f:
        lines = f.read().splitlines()
    expected = {}
    for line in lines[1:]:
        row = tuple(line.split("\t"))
        expected.setdefault(row[0], []).append(row)
    failed = 0
    for name in sorted(n for n in os.listdir(folder) if n.endswith(".pdf")):
        found = sorted(rows(os.path.join(folder, name)))
        wanted = sorted(expected.pop(name, []))
        if found != wanted:
            failed += 1
            print("check-fields: %s holds %s, fields.tsv says %s" % (name, found, wanted))
    for name in expected:
        failed += 1
        print("check-fields: fields.tsv lists %s, which is missing" % name)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
