#!/usr/bin/env bash
# Installs what is missing, builds Vexoglyph and converts a sample text to DXF and SVG in out/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-deps.sh"
# Only the program: the tests and benchmarks are not needed to convert.
BUILD_TARGET=vexoglyph_app "$top/tools/build.sh" "$top/build"

exe="$top/build/app/vexoglyph"
out="$top/out"
mkdir -p "$out"
# Two lines at text height 10 drawing units, width factor 0.8, 8 steps per curve piece.
sample=(-H 10 -w 0.8 -p 8 "Vexoglyph" "Text to outlines: Ag&8")
"$exe" convert "${sample[@]}" -o "$out/sample.dxf"
"$exe" convert "${sample[@]}" -o "$out/sample.svg"

echo
echo "Converted the sample text with $exe:"
echo "  DXF (closed polylines for CAD): $out/sample.dxf"
echo "  SVG (open it in a browser):     $out/sample.svg"
