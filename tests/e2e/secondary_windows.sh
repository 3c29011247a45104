#!/usr/bin/env bash
# The About window and the process picture of the real program: "&PLC" ->
# "PLC - system" and "&About.." -> "&About.." open modeless windows titled
# "PLC - system" and "::: About..", each of its design size and centred on the
# screen; the main window stays usable while they are shown. The homepage
# copy button of the About window puts the homepage address on the clipboard
# for another program (xclip) to paste; each window's "&Exit" hides it, and
# "&About.." shows the same window again.
# Usage: secondary_windows.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
# No program can be started from here (an empty PATH of fakes), and no
# system service reached.
# shellcheck disable=SC2119  # no names: an empty folder
kav_fake_programs
kav_start_with "$KAV_TMP/prog" "PATH=$KAV_FAKE_BIN" "DBUS_SYSTEM_BUS_ADDRESS=unix:path=$KAV_TMP/no-system-bus"

readonly plc_title='PLC - system'
readonly about_title='::: About..'
readonly box_title='Om Kavrilon * Färg koder för hemsidan..'

# Checks a window's size and that it is centred on the 1280x1024 screen (to
# a pixel: half a pixel may round either way).
check_centred() { # what window width height
    local r x0 y0
    read -ra r <<<"$(kav_window_rect "$2")"
    kav_check "$1 size" "${r[2]-}x${r[3]-}" "$3x$4"
    x0=$(((1280 - $3) / 2)) y0=$(((1024 - $4) / 2))
    kav_check_true "$1 centred on the screen (at ${r[0]-},${r[1]-}, centred is $x0,$y0 give or take 1)" \
        awk -v x="${r[0]-}" -v y="${r[1]-}" -v cx="$x0" -v cy="$y0" \
        'BEGIN { exit !(x != "" && y != "" && x - cx <= 1 && cx - x <= 1 && y - cy <= 1 && cy - y <= 1) }'
}

# The menu bar by keyboard: "&PLC" is the only menu with P; its one item is
# highlighted when the menu opens from the keyboard.
kav_keys alt+p
kav_wait_other_window 5 >/dev/null || kav_die "Alt+P opened no menu"
xdotool key Return || kav_die "xdotool key Return failed"
plc=$(kav_wait_window_titled "$plc_title" 10) || kav_die "no window titled \"$plc_title\" within 10 s of PLC - system"
kav_pass "\"PLC - system\" opens a window titled exactly \"$plc_title\""
check_centred "PLC - system window (6960 x 5535 twips)" "$plc" 464 369

# "&About.." shares its letter with "&Arkiv..": from "&PLC" one menu to the
# left, then the item's own letter.
kav_keys alt+p
kav_wait_other_window 5 >/dev/null || kav_die "Alt+P opened no menu"
xdotool key Left a || kav_die "xdotool key failed"
about=$(kav_wait_window_titled "$about_title" 10) || kav_die "no window titled \"$about_title\" within 10 s of About.."
kav_pass "\"&About..\" opens a window titled exactly \"$about_title\""
check_centred "About window (8385 x 4560 twips)" "$about" 559 304
kav_check "windows of the program titled \"$plc_title\"" "$(kav_windows_titled "$plc_title" | wc -l)" 1

# Both are modeless: the main window still takes clicks, and "Om..."
# (Command2, left of and above both windows) opens the About box.
kav_click 2160 2640 975 255
box=$(kav_wait_window_titled "$box_title" 10) ||
    kav_die "the main window took no click on Om... with both windows shown"
kav_pass "the main window takes a click on Om... with both windows shown"
kav_keys_to "$box" Escape
kav_wait_no_window_titled "$box_title" 10 || kav_die "Escape did not close the About box"

# The start sequence leaves the clipboard alone while the code box is empty,
# so nothing but the copy below writes it.
# The homepage box's "&Kopiera adressen.." (Command2, in the frame at 120,120:
# 1440, 3360, 1935 x 255 twips).
kav_click_window "$about" $(((120 + 1440 + 1935 / 2) / KAV_TWIPS_PER_PX)) $(((120 + 3360 + 255 / 2) / KAV_TWIPS_PER_PX))
kav_wait_clipboard https://kavrilon.example/
kav_check "what xclip pastes after the homepage copy button" "$(<"$KAV_TMP/clipboard")" "$(<"$KAV_TMP/expected-clipboard")"

# "&Exit" of the About window (1335 x 255 at 6360, 3360 in the frame) hides it.
kav_click_window "$about" $(((120 + 6360 + 1335 / 2) / KAV_TWIPS_PER_PX)) $(((120 + 3360 + 255 / 2) / KAV_TWIPS_PER_PX))
if kav_wait_no_window_titled "$about_title" 10; then
    kav_pass "Exit hides the About window"
else
    kav_fail "Exit hides the About window"
fi
kav_check "windows of the program titled \"$plc_title\" after the About window's Exit" \
    "$(kav_windows_titled "$plc_title" | wc -l)" 1

# "&Exit" of the process picture (1575 x 615 at 5040, 4680) hides it.
kav_click_window "$plc" $(((5040 + 1575 / 2) / KAV_TWIPS_PER_PX)) $(((4680 + 615 / 2) / KAV_TWIPS_PER_PX))
if kav_wait_no_window_titled "$plc_title" 10; then
    kav_pass "Exit hides the PLC - system window"
else
    kav_fail "Exit hides the PLC - system window"
fi

# Shown again, the About window is the same window, not a new one.
kav_keys alt+p
kav_wait_other_window 5 >/dev/null || kav_die "Alt+P opened no menu"
xdotool key Left a || kav_die "xdotool key failed"
again=$(kav_wait_window_titled "$about_title" 10) || kav_die "About.. did not show the About window again"
kav_check "the About window shown again is the one shown first" "$again" "$about"

kav_check_true "the program is still running" kill -0 "$KAV_PID"
kav_finish
