#!/usr/bin/env bash
# What each widget style shows of the real program, one start per style
# given: "gjpqy" typed into the 19-pixel test box keeps its descenders (what
# it changes in the empty box reaches below what "ace" changes, and its tops
# stay clear of the box's top edge), and the wire drawn up the run-control
# area stands out from the window's background by a contrast of at least 3:1.
# Usage: style_looks.sh <kavrilon> style...

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
shift
(($#)) || kav_die "no style given"

# The test box Text1 is 153 x 19 pixels at (144, 120); its text is looked
# for inside it, a pixel in from its edges.
box=(145 121 151 17)

# The test box's pixels in a screenshot, as one checksum.
box_sum() { # shot
    convert "$1" -crop "${box[2]}x${box[3]}+$((KAV_CX + box[0]))+$((KAV_CY + box[1]))" +repage \
        -format '%#' info: 2>/dev/null
}

# Types a text into the emptied test box and moves the focus on (no text
# cursor in the picture); leaves in KAV_SHOT the first screenshot after which
# the box no longer changes (the program has drawn what it was sent), and a
# non-empty text has changed the box from the empty one.
type_into_box() { # text [empty-box-shot]
    local before tries=50 previous= now
    xdotool mousemove 0 0 # away first: a move to where the pointer is never ends
    kav_click 2160 1800 2295 285
    xdotool key End shift+Home BackSpace || kav_die "xdotool key failed"
    [[ -n $1 ]] && { xdotool type --delay 20 "$1" || kav_die "xdotool type failed"; }
    xdotool key Tab || kav_die "xdotool key failed"
    before=${2:+$(box_sum "$2")}
    while ((tries-- > 0)); do
        kav_shot
        now=$(box_sum "$KAV_SHOT")
        [[ -n $previous && $now == "$previous" && $now != "$before" ]] && return 0
        previous=$now
    done
    kav_die "the test box did not settle on \"$1\""
}

# The rows of the box that a typed text changed from the empty box, as
# "bottom top" (bottom is the row after the last).
typed_rows() { # text empty-box-shot
    local g
    type_into_box "$1" "$2"
    g=$(convert "$2" "$KAV_SHOT" -crop "${box[2]}x${box[3]}+$((KAV_CX + box[0]))+$((KAV_CY + box[1]))" +repage \
        -compose difference -composite -colorspace gray -threshold 35% -format '%@' info: 2>/dev/null)
    [[ $g =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || kav_die "no ink of $1 in '$g'"
    printf '%d %d' $((BASH_REMATCH[4] + BASH_REMATCH[2])) "${BASH_REMATCH[4]}"
}

# WCAG contrast of two RRGGBB colours.
contrast() { # colour colour
    awk -v a="$((16#${1:0:2})) $((16#${1:2:2})) $((16#${1:4:2}))" -v b="$((16#${2:0:2})) $((16#${2:2:2})) $((16#${2:4:2}))" '
    function lum(rgb,   c, i, v, s) {
        split(rgb, c, " ")
        for (i = 1; i <= 3; i++) {
            v = c[i] / 255
            v = v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ^ 2.4
            s += (i == 1 ? 0.2126 : i == 2 ? 0.7152 : 0.0722) * v
        }
        return s
    }
    BEGIN { la = lum(a); lb = lum(b); if (la < lb) { t = la; la = lb; lb = t }; printf "%.2f", (la + 0.05) / (lb + 0.05) }'
}

for style in "$@"; do
    export QT_STYLE_OVERRIDE=$style
    kav_start
    type_into_box ''
    empty=$KAV_TMP/shots/empty.png
    cp -- "$KAV_SHOT" "$empty"
    read -r base_bottom _ <<<"$(typed_rows ace "$empty")"
    read -r bottom top <<<"$(typed_rows gjpqy "$empty")"
    kav_log "$style: ace ends at row $base_bottom, gjpqy spans rows $top to $bottom of ${box[3]}"
    kav_check_true "$style: gjpqy keeps its descenders" test $((bottom - base_bottom)) -ge 2
    kav_check_true "$style: gjpqy keeps its tops" test "$top" -gt 0

    # Line25 runs up the left of the run-control area at 536 pixels; the
    # column at 530 pixels is bare background.
    read -r wire back <<<"$(kav_pixels "$KAV_SHOT" 536 100 530 100)"
    ratio=$(contrast "$wire" "$back")
    kav_log "$style: wire $wire on background $back, contrast $ratio:1"
    kav_check_true "$style: the wire stands out at least 3:1" awk -v r="$ratio" 'BEGIN { exit !(r >= 3) }'

    kill -TERM "$KAV_PID" 2>/dev/null
    kav_wait_gone "$KAV_PID" 10 || kav_die "the program did not end on SIGTERM"
    wait "$KAV_PID" 2>/dev/null
    KAV_PID=
done

kav_finish
