#!/usr/bin/env bash
# Regenerates the About window's PNG pictures from their SVG sources: the check mark and the
# frame as 8-bit RGBA with transparency, the maker's picture as 24-bit RGB without alpha.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")/about_box"
# Without dates and other metadata, so the same sources give the same bytes.
png() { convert "$@" -strip -define png:exclude-chunks=date,time "${out}"; }
for name in check_mark golden_frame; do
  rsvg-convert "$name.svg" -o "$name.tmp.png"
  out="PNG32:$name.png" png "$name.tmp.png"
  rm "$name.tmp.png"
done
rsvg-convert maker.svg -o maker.tmp.png
out="PNG24:maker.png" png maker.tmp.png -background white -alpha remove -alpha off
rm maker.tmp.png
file check_mark.png golden_frame.png maker.png
