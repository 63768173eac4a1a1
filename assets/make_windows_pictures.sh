#!/usr/bin/env bash
# Regenerates the Windows program's pictures from their SVG sources: the program's icon with
# every size from 16 to 256 pixels, and the seven toolbar pictures, 32 by 32 at 96 dots per inch
# with the larger sizes of higher resolutions, each an icon of its own so that the window draws
# it with its transparency. Needs rsvg-convert (librsvg2-bin)
# and ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# 32-bit pictures without dates and other metadata, so the same sources give the same bytes.
render() { rsvg-convert -w "$2" -h "$2" "$1" -o "$work/raw.png" &&
  convert "$work/raw.png" -strip -define png:exclude-chunks=date,time "PNG32:$3"; }

sizes=(16 20 24 32 40 48 64 128 256)
pngs=()
for size in "${sizes[@]}"; do
  render tarnwick.svg "$size" "$work/tarnwick-$size.png"
  pngs+=("$work/tarnwick-$size.png")
done
convert "${pngs[@]}" windows/tarnwick.ico

for name in get_data select_all select_none export clear about exit; do
  pngs=()
  for size in 32 40 48 64; do
    render "$name.svg" "$size" "$work/$name-$size.png"
    pngs+=("$work/$name-$size.png")
  done
  convert "${pngs[@]}" "windows/$name.ico"
done
identify windows/tarnwick.ico windows/get_data.ico
