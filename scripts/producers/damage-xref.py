#!/usr/bin/python3
"""Copies a PDF whose last cross-reference section is a classic table, moving every in-use
entry's offset a few bytes off its object. startxref and the table itself stay where they are,
so a reader finds the table and must rebuild it from the objects in the file.

Usage: python3 damage-xref.py IN.pdf OUT.pdf
"""
import re
import sys

SHIFT = 7


def main(source, target):
    data = bytearray(open(source, "rb").read())
    start = int(re.findall(rb"startxref\s+(\d+)", data)[-1])
    if not data.startswith(b"xref", start):
        sys.exit("damage-xref: %s has no cross-reference table at %d" % (source, start))
    end = data.index(b"trailer", start)
    table = data[start:end]
    damaged = 0

    def shift(entry):
        nonlocal damaged
        damaged += 1
        return b"%010d %s n" % (int(entry.group(1)) + SHIFT, entry.group(2))

    # Entries are exactly "oooooooooo ggggg n" plus a two-byte end of line: the length is kept.
    table = re.sub(rb"(\d{10}) (\d{5}) n", shift, bytes(table))
    data[start:end] = table
    if damaged == 0:
        sys.exit("damage-xref: no in-use entry in %s" % source)
    open(target, "wb").write(data)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
