#!/usr/bin/env bash
# Renders the README's pictures of the host and typographic layouts from a build (needs rsvg-convert).
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
