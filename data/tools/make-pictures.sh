#!/bin/sh
# Draws Kavrilon's pictures: the application icon in the hicolor sizes, the
# four images of the About window and the process picture of the PLC window.
#
# The results are committed, so a build never needs this script; run it again
# after changing one of the drawings:
#
#     data/tools/make-pictures.sh
#
# Needs ImageMagick 6 or 7 (its own SVG renderer is enough: the drawings use
# flat fills, no gradients or transforms) and the DejaVu fonts.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
data=$(dirname "$here")
icons="$data/icons"
pictures="$data/pictures"

if command -v magick >/dev/null 2>&1; then
    im=magick
elif command -v convert >/dev/null 2>&1; then
    im=convert
else
    echo "make-pictures.sh: ImageMagick (magick or convert) is needed" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# Plain 8-bit files without time stamps, so that drawing twice gives the same bytes.
png() {
    printf 'PNG32:%s' "$1"
}
strip="-strip -define png:exclude-chunks=date,time"

mkdir -p "$icons" "$pictures"

# The icon: drawn once at four times 256 pixels, then scaled down to each size,
# which keeps the hash sign crisp even at 16 pixels.
$im -background none -density 288 "$icons/kavrilon.svg" -resize 256x256 "$work/icon.png"
for size in 16 32 48 64 128 256; do
    # shellcheck disable=SC2086
    $im "$work/icon.png" -filter Lanczos -resize "${size}x${size}" $strip "$(png "$icons/kavrilon-$size.png")"
done

# About window, Image4: a 196 by 23 banner, the colour circle as a strip with
# the program's name on it.
$im -size 23x196 gradient:white-black -rotate 90 \
    \( -size 196x23 "xc:gray(70%)" \) \( -size 196x23 "xc:gray(58%)" \) \
    -set colorspace HSL -combine -colorspace sRGB "$work/hues.png"
# shellcheck disable=SC2086
$im "$work/hues.png" \
    \( -size 196x23 xc:none -font DejaVu-Sans-Bold -pointsize 15 -gravity center \
       -fill black -annotate +1+1 Kavrilon -blur 0x1 \) -composite \
    -font DejaVu-Sans-Bold -pointsize 15 -gravity center -fill white -annotate +0+0 Kavrilon \
    -shave 1x1 -bordercolor "#3a3a3a" -border 1 \
    $strip "$(png "$pictures/about-image4.png")"

# About window, Image1: a 100 by 63 swatch card.
# shellcheck disable=SC2086
$im -background none -density 288 "$here/about-image1.svg" -resize '100x63!' \
    $strip "$(png "$pictures/about-image1.png")"

# About window, Image2 and Image3: single transparent pixels.
for n in 2 3; do
    # shellcheck disable=SC2086
    $im -size 1x1 xc:none $strip "$(png "$pictures/about-image$n.png")"
done

# PLC window: a 463 by 374 JPEG of the process plant on squared paper.
grid=""
for x in $(seq 0 16 463); do grid="$grid line $x,26 $x,374"; done
for y in $(seq 26 16 374); do grid="$grid line 0,$y 463,$y"; done
$im -size 463x374 "xc:#eef2f6" -stroke "#dde5ed" -strokewidth 1 -draw "$grid" "$work/paper.png"
$im -background none -density 144 "$here/plc-plant.svg" -resize '463x374!' "$work/plant.png"
$im "$work/paper.png" "$work/plant.png" -composite -strip -sampling-factor 4:4:4 -quality 92 \
    "$pictures/plc-plant.jpg"

echo "make-pictures.sh: pictures written to $icons and $pictures"
