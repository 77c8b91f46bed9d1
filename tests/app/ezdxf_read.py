#!/usr/bin/python3
"""Reads a DXF file with ezdxf and prints what a test compares: the version,
$INSUNITS ("none" when the file does not set it), the number of errors
ezdxf's audit finds, then each polyline of model space as a line
"TYPE closed COUNT" followed by one "x y bulge" line per vertex."""
import sys

import ezdxf

path = sys.argv[1]
doc = ezdxf.readfile(path)
with open(path, 'rb') as f:
    names_units = b'$INSUNITS' in f.read()
print('version', doc.dxfversion)
print('insunits', doc.header.get('$INSUNITS') if names_units else 'none')
print('audit_errors', len(doc.audit().errors))
for entity in doc.modelspace():
    kind = entity.dxftype()
    if kind == 'LWPOLYLINE':
        points, closed = list(entity.get_points('xyb')), entity.closed
    elif kind == 'POLYLINE':
        points = [(v.dxf.location.x, v.dxf.location.y, v.dxf.bulge) for v in entity.vertices]
        closed = entity.is_closed
    else:
        points, closed = [], False
    print(kind, int(closed), len(points))
    for x, y, bulge in points:
        print(repr(x), repr(y), repr(bulge))
