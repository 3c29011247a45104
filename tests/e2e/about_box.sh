#!/usr/bin/env bash
# The About box of the real program: the "Om..." button and the menu item
# "&Om.." each open one dialog owned by the main window and modal to it,
# titled with the application text; while it is open the main window takes
# no clicks (a second "Om..." opens no second box); Return and Escape close it.
# Usage: about_box.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
command -v xprop >/dev/null 2>&1 || kav_die "xprop is not installed (TESTING.md lists the packages)"
# No program can be started from here (an empty PATH of fakes), and no
# system service reached.
# shellcheck disable=SC2119  # no names: an empty folder
kav_fake_programs
kav_start_with "$KAV_TMP/prog" "PATH=$KAV_FAKE_BIN" "DBUS_SYSTEM_BUS_ADDRESS=unix:path=$KAV_TMP/no-system-bus"

readonly title='Om Kavrilon * Färg koder för hemsidan..'
main_hex=$(printf '0x%x' "$KAV_WIN")

# Checks that the one other window is the About box, owned by the main
# window and modal; prints its id.
check_about_box() { # how-it-was-opened
    local box n
    box=$(kav_wait_other_window 10) || kav_die "no window appeared within 10 s of $1"
    # The box is modal, so its handler waits in it: a window that handler
    # opened before the box was mapped before it, and none can come after.
    n=$(kav_other_windows | wc -l)
    kav_check "windows besides the main one after $1" "$n" 1
    kav_check "title of the box $1 opened" "$(xdotool getwindowname "$box")" "$title"
    kav_check "owner (WM_TRANSIENT_FOR) of the box $1 opened" \
        "$(xprop -id "$box" WM_TRANSIENT_FOR | awk '{print $NF}')" "$main_hex"
    kav_check_true "the box $1 opened is modal (_NET_WM_STATE_MODAL)" \
        grep -q _NET_WM_STATE_MODAL <<<"$(xprop -id "$box" _NET_WM_STATE)"
    printf '%s' "$box" >"$KAV_TMP/box"
}

# "Om..." (Command2).
kav_click 2160 2640 975 255
check_about_box '"Om..."'
box=$(<"$KAV_TMP/box")

# The box is modal: a click on "Om..." reaches no handler while it is open.
# (The pointer leaves the button first: a move to where it already is never
# completes.)
xdotool mousemove 0 0
kav_click 2160 2640 975 255
kav_check "windows besides the main one after a second click on Om... with the box open" \
    "$(kav_other_windows | wc -l)" 1
kav_check "the box still shown is the first one" "$(kav_other_windows | head -n 1)" "$box"

# Return reaches the program after that click: once the box has gone, a box
# the click had opened would still be shown.
kav_keys_to "$box" Return
if kav_wait_no_other_window 10; then kav_pass "Return closes the About box"; else kav_fail "Return closes the About box"; fi

# The same box from the menu "&Hjälp.." -> "&Om..", by keyboard.
kav_keys alt+h
kav_wait_other_window 5 >/dev/null || kav_die "Alt+H opened no menu"
xdotool key o || kav_die "xdotool key o failed"
# The menu closes when the item is chosen; the box replaces it.
kav_wait_window_titled "$title" 10 >/dev/null || kav_die "no About box within 10 s of the menu item Om.."
check_about_box 'the menu item "&Om.."'
box=$(<"$KAV_TMP/box")

kav_keys_to "$box" Escape
if kav_wait_no_other_window 10; then kav_pass "Escape closes the About box"; else kav_fail "Escape closes the About box"; fi

# The main window answers again once the box is closed.
xdotool mousemove 0 0
kav_click 2160 2640 975 255
if kav_wait_window_titled "$title" 10 >/dev/null; then
    kav_pass "Om... opens the box again after it was closed"
else
    kav_fail "Om... opens the box again after it was closed"
fi

kav_check_true "the program is still running" kill -0 "$KAV_PID"
kav_finish
