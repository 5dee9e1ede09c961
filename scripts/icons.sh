#!/usr/bin/env bash
# Renders the application icon's PNG sizes for the hicolor theme from data/icons/korvane.svg.
# Run again after changing the SVG; the PNGs are kept in the repository so building needs no
# SVG renderer.
set -euo pipefail
cd "$(dirname "$0")/.."
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" data/icons/korvane.svg -o "data/icons/korvane-$size.png"
done
