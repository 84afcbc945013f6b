#!/usr/bin/env bash
# Renders every picture kept here as SVG into the PNG of the same name, at
# the SVG's own size (rsvg-convert, from Debian's librsvg2-bin). The PNGs
# are committed, so building Skyvane needs none of this.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
command -v rsvg-convert >/dev/null || {
  echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2
  exit 1
}
for svg in *.svg; do
  rsvg-convert --format=png --output="${svg%.svg}.png" "$svg"
done
