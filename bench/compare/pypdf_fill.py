#!/usr/bin/python3
# Fills the form with pypdf as people script it: copy the document, update the field values of
# the page, tick the check boxes with their on state, write.
# Usage: pypdf_fill.py TEMPLATE VALUES.json OUTDIR COUNT ON_STATE
# Prints the time per document of the loop, in milliseconds, as JSON.
import json
import sys
import time

from pypdf import PdfReader, PdfWriter

template, values_path, out_dir, count, on_state = sys.argv[1:6]
with open(values_path, encoding="utf-8") as f:
    values = json.load(f)
fields = dict(values["text"])
for name in values["checkboxes"]:
    fields[name] = "/" + on_state
n = int(count)
start = time.perf_counter()
for i in range(n):
    reader = PdfReader(template)
    writer = PdfWriter()
    writer.clone_reader_document_root(reader)
    for page in writer.pages:
        writer.update_page_form_field_values(page, fields)
    with open(f"{out_dir}/document{i}.pdf", "wb") as out:
        writer.write(out)
elapsed = (time.perf_counter() - start) * 1000
print(json.dumps({"perDocumentMs": elapsed / n}))
