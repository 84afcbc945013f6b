#!/usr/bin/env bash
# Draws every picture of Skyvane from its source here: each SVG into the PNG
# of the same name, at the SVG's own size, with rsvg-convert (Debian's
# librsvg2-bin); the icon at 16, 32 and 48 pixels into skyvane.ico with
# ImageMagick. The SVGs set their text in WenQuanYi Micro Hei
# (fonts-wqy-microhei); guide.svg takes the pictures of the main window
# that tools/readme-screenshots.sh cuts from the end-to-end run. The
# outputs are committed, so building Skyvane needs none of this.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for tool in rsvg-convert convert; do
  command -v "$tool" >/dev/null || {
    echo "$tool is missing: apt-get install librsvg2-bin imagemagick" >&2
    exit 1
  }
done
for svg in *.svg; do
  [ "$svg" = skyvane_icon.svg ] && continue
  rsvg-convert --format=png --output="${svg%.svg}.png" "$svg"
done
# The help window's two pages are most of the executable's size: 256
# colours keep their text and pictures as they were, at a third of it.
for page in help_page guide; do
  convert "$page.png" -dither None -colors 256 "PNG8:$page.png"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 16 32 48; do
  rsvg-convert --format=png --width="$size" --height="$size" --output="$work/$size.png" skyvane_icon.svg
done
convert "$work/16.png" "$work/32.png" "$work/48.png" skyvane.ico
