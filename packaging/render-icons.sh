#!/usr/bin/env bash
# Renders the icon's PNG sizes from its SVG (needs rsvg-convert, Debian's librsvg2-bin).
# The PNGs are committed, so a build does not need it.
set -euo pipefail
cd "$(dirname "$0")/icons"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" tq4800.svg -o "tq4800-$size.png"
done
