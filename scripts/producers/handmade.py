#!/usr/bin/python3
"""Writes, object by object, the form layouts that no library here produces on demand:

viewer-copies.pdf       the page's widgets are reachable from no /AcroForm /Fields entry;
                        /Fields lists copies of them instead (no /P, on no page), as some
                        desktop viewers save a form.
rotated-matrix.pdf      a tall, narrow text widget with no /MK /R whose appearance turns its
                        text a quarter turn through the stream's /Matrix.
radio-kids-listed.pdf   a radio group whose /T-less kid widgets are listed in /Fields next to
                        their parent, plus a plain text field.

Usage: python3 handmade.py OUT_DIR
"""
import os
import sys


def utf16(text):
    """A PDF text string as UTF-16BE with its byte order mark, in hex."""
    return "<" + ("\ufeff" + text).encode("utf-16-be").hex().upper() + ">"


def stream(dictionary, content):
    data = content.encode("latin-1")
    return "<< %s /Length %d >>\nstream\n" % (dictionary, len(data)), data, b"\nendstream"


def write_pdf(path, objects):
    """objects: the bodies of objects 1..n, each a str or a (head, data, tail) stream triple.
    Object 1 is the catalog. Writes a classic cross-reference table with exact offsets."""
    out = bytearray(b"%PDF-1.7\n%\xe2\xe3\xcf\xd3\n")
    offsets = []
    for number, body in enumerate(objects, start=1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number
        if isinstance(body, tuple):
            head, data, tail = body
            out += head.encode("latin-1") + data + tail
        else:
            out += body.encode("latin-1")
        out += b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for offset in offsets:
        out += b"%010d 00000 n \n" % offset
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
    with open(path, "wb") as f:
        f.write(out)


HELV = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>"
ZADB = "<< /Type /Font /Subtype /Type1 /BaseFont /ZapfDingbats >>"
CHECK = "q 0 g BT /ZaDb 12 Tf 1.5 2.5 Td (4) Tj ET Q"


def viewer_copies(path):
    # 1 catalog, 2 pages, 3 page, 4 AcroForm, 5 Helv, 6 ZaDb,
    # 7 "nom" page widget, 8 "coché" page widget, 9 "nom" copy, 10 "coché" copy,
    # 11 text appearance, 12 check on, 13 check off
    nom = ("/Type /Annot /Subtype /Widget /FT /Tx /T (nom) /V (Dupont) /F 4 "
           "/Rect [50 760 350 780] /DA (/Helv 10 Tf 0 g) /AP << /N 11 0 R >>")
    coche = ("/Type /Annot /Subtype /Widget /FT /Btn /T %s /V /Off /AS /Off /F 4 "
             "/Rect [50 720 64 734] /DA (/ZaDb 0 Tf 0 g) /MK << /CA (4) >> "
             "/AP << /N << /Oui 12 0 R /Off 13 0 R >> >>" % utf16("coché"))
    write_pdf(path, [
        "<< /Type /Catalog /Pages 2 0 R /AcroForm 4 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << >> "
        "/Annots [7 0 R 8 0 R] >>",
        "<< /Fields [9 0 R 10 0 R] /DA (/Helv 0 Tf 0 g) "
        "/DR << /Font << /Helv 5 0 R /ZaDb 6 0 R >> >> >>",
        HELV,
        ZADB,
        "<< %s /P 3 0 R >>" % nom,
        "<< %s /P 3 0 R >>" % coche,
        "<< %s >>" % nom,
        "<< %s >>" % coche,
        stream("/Type /XObject /Subtype /Form /BBox [0 0 300 20] "
               "/Resources << /Font << /Helv 5 0 R >> >>",
               "/Tx BMC q BT /Helv 10 Tf 0 g 2 6 Td (Dupont) Tj ET Q EMC"),
        stream("/Type /XObject /Subtype /Form /BBox [0 0 14 14] "
               "/Resources << /Font << /ZaDb 6 0 R >> >>", CHECK),
        stream("/Type /XObject /Subtype /Form /BBox [0 0 14 14]", ""),
    ])


def rotated_matrix(path):
    # 1 catalog, 2 pages, 3 page, 4 AcroForm, 5 Helv, 6 "vertical", 7 its appearance
    write_pdf(path, [
        "<< /Type /Catalog /Pages 2 0 R /AcroForm 4 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << >> "
        "/Annots [6 0 R] >>",
        "<< /Fields [6 0 R] /DA (/Helv 0 Tf 0 g) /DR << /Font << /Helv 5 0 R >> >> >>",
        HELV,
        "<< /Type /Annot /Subtype /Widget /FT /Tx /T (vertical) /V (Texte vertical) /F 4 "
        "/Rect [100 100 120 300] /P 3 0 R /DA (/Helv 10 Tf 0 g) /AP << /N 7 0 R >> >>",
        # The box is laid out wide (200 x 20); the matrix turns it upright into the widget.
        stream("/Type /XObject /Subtype /Form /BBox [0 0 200 20] /Matrix [0 1 -1 0 0 0] "
               "/Resources << /Font << /Helv 5 0 R >> >>",
               "/Tx BMC q BT /Helv 10 Tf 0 g 2 6 Td (Texte vertical) Tj ET Q EMC"),
    ])


def radio_kids_listed(path):
    # 1 catalog, 2 pages, 3 page, 4 AcroForm, 5 Helv, 6 ZaDb, 7 "sexe", 8 kid /M, 9 kid /F,
    # 10 "ville", 11 dot, 12 off, 13 ville appearance
    def kid(state, x):
        return ("<< /Type /Annot /Subtype /Widget /Parent 7 0 R /P 3 0 R /F 4 "
                "/Rect [%d 720 %d 734] /AS %s /MK << /CA (l) >> "
                "/AP << /N << /%s 11 0 R /Off 12 0 R >> >> >>"
                % (x, x + 14, "/M" if state == "M" else "/Off", state))
    write_pdf(path, [
        "<< /Type /Catalog /Pages 2 0 R /AcroForm 4 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << >> "
        "/Annots [8 0 R 9 0 R 10 0 R] >>",
        "<< /Fields [7 0 R 8 0 R 9 0 R 10 0 R] /DA (/Helv 0 Tf 0 g) "
        "/DR << /Font << /Helv 5 0 R /ZaDb 6 0 R >> >> >>",
        HELV,
        ZADB,
        # 49152: radio (32768) and no toggle to off (16384).
        "<< /FT /Btn /Ff 49152 /T (sexe) /V /M /DA (/ZaDb 0 Tf 0 g) /Kids [8 0 R 9 0 R] >>",
        kid("M", 50),
        kid("F", 100),
        "<< /Type /Annot /Subtype /Widget /FT /Tx /T (ville) /V (Orl\\351ans) /F 4 /P 3 0 R "
        "/Rect [50 760 350 780] /DA (/Helv 10 Tf 0 g) /AP << /N 13 0 R >> >>",
        stream("/Type /XObject /Subtype /Form /BBox [0 0 14 14] "
               "/Resources << /Font << /ZaDb 6 0 R >> >>",
               "q 0 g BT /ZaDb 12 Tf 2 2.5 Td (l) Tj ET Q"),
        stream("/Type /XObject /Subtype /Form /BBox [0 0 14 14]", ""),
        stream("/Type /XObject /Subtype /Form /BBox [0 0 300 20] "
               "/Resources << /Font << /Helv 5 0 R >> >>",
               "/Tx BMC q BT /Helv 10 Tf 0 g 2 6 Td (Orl\\351ans) Tj ET Q EMC"),
    ])


def main(out_dir):
    viewer_copies(os.path.join(out_dir, "viewer-copies.pdf"))
    rotated_matrix(os.path.join(out_dir, "rotated-matrix.pdf"))
    radio_kids_listed(os.path.join(out_dir, "radio-kids-listed.pdf"))


if __name__ == "__main__":
    main(sys.argv[1])
