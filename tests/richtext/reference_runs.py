#!/usr/bin/env python3
"""Prints the runs the reference reader gets from one RTF file, one run a line:
utf8-hex(text) | utf8-hex(face) | half-points | bold | italic | symbol."""
import sys

sys.path.insert(0, sys.argv[1])
from rtfruns import NAMED, SKIP_DEST, read_runs  # noqa: E402

# Nested tables as the product reads them: their cells and rows end like a
# table's, the group of a nested row's properties is read (writers put text
# there that a word processor shows), and the text meant for readers without
# nested tables is skipped.
NAMED.update({'nestcell': '\t', 'nestrow': '\n'})
SKIP_DEST.add('nonesttables')

with open(sys.argv[2], 'rb') as f:
    data = f.read().replace(b'{\\*\\nesttableprops', b'{\\nesttableprops')
for text, face, hp, b, i, cs in read_runs(data):
    print('%s|%s|%d|%d|%d|%d' % (text.encode('utf-8', 'surrogatepass').hex(),
                                 (face or '').encode('utf-8').hex(), hp, b, i, 1 if cs == 2 else 0))
