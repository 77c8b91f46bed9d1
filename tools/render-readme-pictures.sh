#!/usr/bin/env bash
# Renders the README's pictures of the layouts and of the outlines for cutters (single-line too) from a build (needs rsvg-convert).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-"$top/build/app/vexoglyph"}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
lines=("AVATAR office" "سلام عليكم" "漢字 नमस्ते")
for layout in host typographic; do
  # The host layout may find characters it cannot draw; that is what the picture shows.
  "$exe" convert --layout "$layout" --align center -f "DejaVu Sans" -H 5 -w 1 -o "$work/$layout.svg" \
    "${lines[@]}" 2>/dev/null
  rsvg-convert --background-color=white --zoom=6 "$work/$layout.svg" -o "$top/docs/layout-$layout.png"
done

# One word as the font draws it, merged, and merged as arcs: strokes instead
# of fill, a dot at every vertex.
outline_style='<defs><marker id="v" viewBox="-1 -1 2 2" markerWidth="3" markerHeight="3"><circle r="1" fill="red"/></marker></defs>\n<g fill="none" stroke="black" stroke-width="0.05" stroke-linejoin="round" style="marker-start:url(#v);marker-mid:url(#v)">'
for kind in font merged arcs; do
  case $kind in
    font) options=(--tolerance 0.02) ;;
    merged) options=(--outline merged --tolerance 0.02) ;;
    arcs) options=(--arcs --tolerance 0.02) ;;
  esac
  "$exe" convert -f "DejaVu Sans" -H 10 "${options[@]}" -o "$work/$kind.svg" "Çå@"
  sed -i "s|<g fill=\"black\" fill-rule=\"nonzero\" stroke=\"none\">|$outline_style|" "$work/$kind.svg"
  rsvg-convert --background-color=white --zoom=12 "$work/$kind.svg" -o "$top/docs/outline-$kind.png"
done

# The same in a single-line face: its strokes, drawn as the outlines above.
# Hershey Sans has the ASCII characters only, so the word loses its accents.
"$exe" convert -f "Hershey Sans" -H 10 -o "$work/single-line.svg" "Ca@"
sed -i -e "s|<g fill=\"black\" fill-rule=\"nonzero\" stroke=\"none\">|$outline_style|" \
  -e 's| stroke-width="1" vector-effect="non-scaling-stroke"||' "$work/single-line.svg"
rsvg-convert --background-color=white --zoom=12 "$work/single-line.svg" -o "$top/docs/outline-single-line.png"
