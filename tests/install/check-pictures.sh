#!/bin/sh
# Checks that the pictures compiled into the program have the sizes the
# windows are laid out for: the About window's four images, the PLC window's
# plant picture (a JPEG) and the window icon.
#
#     check-pictures.sh <data folder>
#
# Reads the sizes from the file headers, so it needs nothing beyond od.
set -eu

data=${1:?usage: check-pictures.sh <data folder>}
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Unsigned big-endian number of $3 bytes at offset $2 of file $1.
be() {
    # shellcheck disable=SC2046 # one argument per byte
    set -- $(od -An -tu1 -j"$2" -N"$3" "$1")
    n=0
    for b in "$@"; do n=$((n * 256 + b)); done
    echo "$n"
}

png_size() {
    [ "$(od -An -tx1 -N8 "$1" | tr -d ' \n')" = 89504e470d0a1a0a ] || return 1
    echo "$(be "$1" 16 4)x$(be "$1" 20 4)"
}

# Walks the JPEG segments to the first start-of-frame marker, which holds the
# height and then the width.
jpeg_size() {
    [ "$(be "$1" 0 2)" -eq 65496 ] || return 1 # FF D8
    size=$(wc -c <"$1")
    at=2
    while [ "$at" -lt "$size" ]; do
        [ "$(be "$1" "$at" 1)" -eq 255 ] || return 1
        marker=$(be "$1" $((at + 1)) 1)
        case $marker in
        192 | 193 | 194 | 195 | 197 | 198 | 199 | 201 | 202 | 203 | 205 | 206 | 207)
            echo "$(be "$1" $((at + 7)) 2)x$(be "$1" $((at + 5)) 2)"
            return 0
            ;;
        esac
        at=$((at + 2 + $(be "$1" $((at + 2)) 2)))
    done
    return 1
}

expect() { # kind file size
    file="$data/$2"
    if [ ! -f "$file" ]; then
        fail "$2 is missing"
        return
    fi
    if ! got=$("$1"_size "$file"); then
        fail "$2 is not a $1 file"
    elif [ "$got" != "$3" ]; then
        fail "$2 is $got pixels, the window needs $3"
    fi
}

expect png pictures/about-image1.png 100x63
expect png pictures/about-image2.png 1x1
expect png pictures/about-image3.png 1x1
expect png pictures/about-image4.png 196x23
expect jpeg pictures/plc-plant.jpg 463x374
expect png icons/kavrilon-32.png 32x32

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "pictures have their window sizes"
