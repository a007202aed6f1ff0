#!/usr/bin/env bash
# Renders the PNGs in data/ from their SVG sources with ImageMagick's own SVG
# renderer, so nothing beyond the imagemagick package is needed. Run it after
# editing an SVG and commit the PNGs with it; the build only reads the PNGs,
# because Qt's SVG module is not among the project's dependencies.
set -euo pipefail
cd "$(dirname "$0")"

# render SOURCE.svg SCALE OUTPUT.png: SCALE is output pixels per SVG unit.
render() {
    local density
    density=$(awk -v s="$2" 'BEGIN { printf "%g", 96 * s }')
    convert -background none -density "$density" "MSVG:$1" -strip -depth 8 \
        -define png:exclude-chunks=date,time "$3"
}

render about.svg 1 about.png
render about.svg 2 about@2x.png
render about-dark.svg 1 about-dark.png
render about-dark.svg 2 about-dark@2x.png

icon=icons/hicolor/scalable/apps/org.pallisto.Pallisto.svg
for size in 48 128 256; do
    mkdir -p "icons/hicolor/${size}x${size}/apps"
    render "$icon" "$(awk -v s="$size" 'BEGIN { print s / 256 }')" \
        "icons/hicolor/${size}x${size}/apps/org.pallisto.Pallisto.png"
done
