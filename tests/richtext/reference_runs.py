#!/usr/bin/env python3
"""Prints the runs the reference reader gets from one RTF file, one run a line:
utf8-hex(text) | utf8-hex(face) | half-points | bold | italic | symbol."""
import sys

sys.path.insert(0, sys.argv[1])
from rtfruns import read_runs  # noqa: E402

with open(sys.argv[2], 'rb') as f:
    data = f.read()
for text, face, hp, b, i, cs in read_runs(data):
    print('%s|%s|%d|%d|%d|%d' % (text.encode('utf-8', 'surrogatepass').hex(),
                                 (face or '').encode('utf-8').hex(), hp, b, i, 1 if cs == 2 else 0))
