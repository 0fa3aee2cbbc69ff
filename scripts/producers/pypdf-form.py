#!/usr/bin/python3
"""Writes a one-page form with pypdf: two text fields and a check box built from pypdf's generic
objects, then filled through PdfWriter.update_page_form_field_values.

pypdf stores a text string in PDFDocEncoding whenever it can, so the accented names here are
single bytes, not UTF-16. Filling a check box sets /AS to the state's name but /V to a text
string such as (/Oui) rather than the name /Oui: readers meet both forms in the wild.

Usage: python3 pypdf-form.py OUT.pdf (Debian's python3-pypdf)
"""
import sys

from pypdf import PdfWriter
from pypdf.generic import (
    ArrayObject,
    BooleanObject,
    DecodedStreamObject,
    DictionaryObject,
    FloatObject,
    NameObject,
    NumberObject,
    TextStringObject,
)


def name(n):
    return NameObject("/" + n)


def rect(x1, y1, x2, y2):
    return ArrayObject([FloatObject(v) for v in (x1, y1, x2, y2)])


def form_xobject(writer, width, height, content, resources=None):
    stream = DecodedStreamObject()
    stream.set_data(content.encode("latin-1"))
    stream.update({
        name("Type"): name("XObject"),
        name("Subtype"): name("Form"),
        name("BBox"): rect(0, 0, width, height),
    })
    if resources is not None:
        stream[name("Resources")] = resources
    return writer._add_object(stream)


def main(out):
    writer = PdfWriter()
    page = writer.add_blank_page(595, 842)
    page_ref = page.indirect_reference

    helv = writer._add_object(DictionaryObject({
        name("Type"): name("Font"),
        name("Subtype"): name("Type1"),
        name("BaseFont"): name("Helvetica"),
        name("Encoding"): name("WinAnsiEncoding"),
    }))
    zadb = writer._add_object(DictionaryObject({
        name("Type"): name("Font"),
        name("Subtype"): name("Type1"),
        name("BaseFont"): name("ZapfDingbats"),
    }))
    fonts = DictionaryObject({name("Helv"): helv, name("ZaDb"): zadb})
    resources = DictionaryObject({name("Font"): fonts})

    def text_field(title, y):
        return writer._add_object(DictionaryObject({
            name("Type"): name("Annot"),
            name("Subtype"): name("Widget"),
            name("FT"): name("Tx"),
            name("T"): TextStringObject(title),
            name("Rect"): rect(50, y, 350, y + 20),
            name("F"): NumberObject(4),
            name("P"): page_ref,
            name("DA"): TextStringObject("/Helv 10 Tf 0 g"),
            name("AP"): DictionaryObject({
                name("N"): form_xobject(writer, 300, 20, "/Tx BMC EMC"),
            }),
        }))

    adresse = text_field("Adresse à domicile", 760)
    ville = text_field("Ville", 720)

    check_on = form_xobject(
        writer, 14, 14, "q 0 g BT /ZaDb 12 Tf 1.5 2.5 Td (4) Tj ET Q",
        DictionaryObject({name("Font"): DictionaryObject({name("ZaDb"): zadb})}))
    check_off = form_xobject(writer, 14, 14, "")
    ald = writer._add_object(DictionaryObject({
        name("Type"): name("Annot"),
        name("Subtype"): name("Widget"),
        name("FT"): name("Btn"),
        name("T"): TextStringObject("Affection de longue durée"),
        name("Rect"): rect(50, 680, 64, 694),
        name("F"): NumberObject(4),
        name("P"): page_ref,
        name("DA"): TextStringObject("/ZaDb 0 Tf 0 g"),
        name("MK"): DictionaryObject({name("CA"): TextStringObject("4")}),
        name("AS"): name("Off"),
        name("V"): name("Off"),
        name("AP"): DictionaryObject({
            name("N"): DictionaryObject({name("Oui"): check_on, name("Off"): check_off}),
        }),
    }))

    page[NameObject("/Annots")] = ArrayObject([adresse, ville, ald])
    writer._root_object[NameObject("/AcroForm")] = writer._add_object(DictionaryObject({
        name("Fields"): ArrayObject([adresse, ville, ald]),
        name("DA"): TextStringObject("/Helv 0 Tf 0 g"),
        name("DR"): resources,
        name("NeedAppearances"): BooleanObject(False),
    }))

    # pypdf fills by /T and turns NeedAppearances on; it leaves the text appearances as they were.
    writer.update_page_form_field_values(page, {
        "Adresse à domicile": "12 rue de l'Église",
        "Affection de longue durée": "/Oui",
    })

    with open(out, "wb") as f:
        writer.write(f)


if __name__ == "__main__":
    main(sys.argv[1])
