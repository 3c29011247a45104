#!/usr/bin/env bash
# What the user sees, with only the fonts the README installs: after a copy
# the copy button shows "Ligger nu i klippminnet.." whole, wrapped on its
# words, and the paste hint "CTRL + V" whole; under a dark theme
# (adwaita-dark) the code box shows FF8000 dark on white, readable.
# Usage: looks.sh <kavrilon> <fonts.conf listing only those fonts>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
fonts=$2
[[ -r $fonts ]] || kav_die "no font configuration at $fonts"

# Checks that the ink lies whole inside the rectangle, clear of its left edge
# and ending by `right` (two pixels before the right edge unless given): a
# caption cut by its control runs into the edges.
kav_check_whole() { # description x y width height [right]
    local w h l t right=${6:-$(($4 - 2))}
    read -r w h l t <<<"$(kav_ink_box "$2" "$3" "$4" "$5")"
    kav_log "$1: ink ${w}x${h} at +$l+$t in ${4}x${5}"
    kav_check_true "$1 (ink clear of the edges)" test "$w" -gt 10 -a "$l" -ge 2 -a $((l + w)) -le "$right"
}

text4=$(kav_centre 7440 1560 168 195)  # start-conditions lamp
text7=$(kav_centre 7440 2280 168 195)  # paste-ready lamp
text17=$(kav_centre 1800 2670 168 210) # colour-code-ready lamp

kav_start_with "$KAV_TMP/prog" "FONTCONFIG_FILE=$fonts"
kav_click 8280 1320 1095 315 # "&Snabbstart"
kav_expect_colour "Snabbstart turns the start-conditions lamp Text4 green" "$text4" "$KAV_GREEN" 5
kav_click 4560 0 3105 1335 # cmdCopy
kav_expect_colour "the copy turns the paste-ready lamp Text7 green" "$text7" "$KAV_GREEN" 5
# cmdCopy is 207 x 89 pixels at (304, 0); its bevel and focus frame take
# the outer 4 pixels. "CTRL + V" (Label3) has 49 x 17 at (344, 136); a text
# too wide for it would run on to the right, so the rectangle looked at
# reaches 3 pixels left of the label and 20 pixels beyond it.
kav_check_whole "copy caption after a copy" 308 4 199 81
read -r _ h _ _ <<<"$(kav_ink_box 308 4 199 81)"
kav_check_true "copy caption wraps onto two lines (ink $h px high)" test "$h" -gt 30
kav_check_whole "paste hint CTRL + V" 341 136 72 16 52
cp -- "$KAV_SHOT" "$KAV_TMP/shots/copy.png"

kill -TERM "$KAV_PID" 2>/dev/null
kav_wait_gone "$KAV_PID" 10 || kav_die "the program did not end on SIGTERM"
wait "$KAV_PID" 2>/dev/null

# A dark theme: light text on dark faces everywhere but in the boxes whose
# design fixes a white background, where the text stays black.
kav_start_with "$KAV_TMP/prog" "FONTCONFIG_FILE=$fonts" QT_STYLE_OVERRIDE=adwaita-dark
kav_click 8280 1320 1095 315
kav_expect_colour "dark theme: Snabbstart turns Text4 green" "$text4" "$KAV_GREEN" 5
kav_click 2040 0 2535 1335 # "Välj färg.."
dialog=$(kav_wait_other_window 10) || kav_die "no colour dialog appeared"
kav_keys_to "$dialog" alt+h
xdotool type --delay 20 '#ff8000' || kav_die "xdotool type failed"
xdotool key Return || kav_die "xdotool key Return failed"
kav_wait_no_other_window 10 || kav_die "the colour dialog did not close on Return"
kav_expect_colour "dark theme: colour-code-ready lamp Text17 green after the choice" "$text17" "$KAV_GREEN" 3
# The code box txtColor is 81 x 27 pixels at (144, 144); inside its frame the
# darkest pixel is the text and the lightest the background.
read -r lo hi <<<"$(convert "$KAV_SHOT" -crop "75x21+$((KAV_CX + 147))+$((KAV_CY + 147))" +repage \
    -colorspace LinearGray -format '%[fx:minima] %[fx:maxima]' info: 2>/dev/null)"
kav_log "dark theme: code box luminance from $lo to $hi"
kav_check_true "dark theme: code box text contrast at least 4.5:1" \
    awk -v lo="$lo" -v hi="$hi" 'BEGIN { exit !((hi + 0.05) / (lo + 0.05) >= 4.5 && hi > 0.8) }'
kav_check_whole "dark theme: code FF8000 whole in the code box" 147 147 75 21
cp -- "$KAV_SHOT" "$KAV_TMP/shots/dark.png"

kav_finish
