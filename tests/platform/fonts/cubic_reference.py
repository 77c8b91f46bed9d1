#!/usr/bin/env python3
"""Flattens glyphs of an OpenType face with PostScript outlines as the outline
walk does at a fixed precision, independently of it: fontTools reads the
charstrings and draws them through the pen below.

Usage: cubic_reference.py FONT PRECISION TEXT
Prints "em N" (the face's units per em), then for each character of TEXT a
line "glyph U+XXXX" followed by its records, one a line, "kind x y" in font
units: kind 1 a point, 2 the end of a contour (repeating its start), 3 the end
of the glyph.

The step rule: a line goes straight to its point (a line of no length adds
nothing, as FreeType reads charstrings); a cubic piece appends its
start once more, then PRECISION samples at t = k / PRECISION, the last at
t = 1, leaving out a sample equal to the one before. A contour's closing line
back to its start adds no point (the closing record draws it)."""
import sys

from fontTools.pens.basePen import BasePen
from fontTools.ttLib import TTFont


class FlatteningPen(BasePen):
    def __init__(self, glyph_set, precision):
        super().__init__(glyph_set)
        self.precision = precision
        self.contours = []
        self.points = []
        self.last_was_line = False

    def _moveTo(self, p):
        self.points = [p]
        self.last_was_line = False

    def _lineTo(self, p):
        # FreeType's charstring interpreter leaves out lines of no length.
        if p == self._getCurrentPoint():
            return
        self.points.append(p)
        self.last_was_line = True

    def _curveToOne(self, p1, p2, p3):
        p0 = self._getCurrentPoint()
        self.points.append(p0)
        previous = p0
        for k in range(1, self.precision + 1):
            t = 1.0 if k == self.precision else k / self.precision
            u = 1 - t
            w = (u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t)
            point = tuple(sum(wi * q[axis] for wi, q in zip(w, (p0, p1, p2, p3))) for axis in (0, 1))
            if point != previous:
                self.points.append(point)
            previous = point
        self.last_was_line = False

    def _qCurveToOne(self, p1, p2):
        raise SystemExit('quadratic pieces are not what this reference is for')

    def _closePath(self):
        # A last line back to the start is the contour's closing edge: the
        # closing record draws it (FreeType drops a last point that repeats
        # the start).
        if self.last_was_line and len(self.points) > 1 and self.points[-1] == self.points[0]:
            self.points.pop()
        if len(self.points) > 1:
            self.contours.append(self.points)
        self.points = []

    _endPath = _closePath


def main():
    font_file, precision, text = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    font = TTFont(font_file)
    if 'CFF ' not in font:
        raise SystemExit('%s has no CFF outlines' % font_file)
    glyph_set = font.getGlyphSet()
    cmap = font.getBestCmap()
    print('em %d' % font['head'].unitsPerEm)
    for c in text:
        print('glyph U+%04X' % ord(c))
        pen = FlatteningPen(glyph_set, precision)
        glyph_set[cmap[ord(c)]].draw(pen)
        for n, contour in enumerate(pen.contours):
            for x, y in contour:
                print('1 %r %r' % (float(x), float(y)))
            x, y = contour[0]
            print('%d %r %r' % (3 if n + 1 == len(pen.contours) else 2, float(x), float(y)))


if __name__ == '__main__':
    main()
