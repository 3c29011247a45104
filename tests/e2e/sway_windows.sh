#!/usr/bin/env bash
# The program's windows on sway, a tiling Wayland desktop: the main window,
# the process picture ("PLC - system") and the About window float whole, at
# their design sizes, beside another program's tiled window, and the main
# window at each of its heights, which it keeps when they open. A second start, given an activation
# token as a launcher gives one, brings the running copy forward over the
# other program's window, and ends.
# Usage: sway_windows.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
[[ ${KAV_COMPOSITOR:-} == sway ]] || kav_die "no sway desktop (run in a sway profile)"
command -v weston-clickdot >/dev/null 2>&1 || kav_die "weston-clickdot is not installed (package weston)"
readonly plc_title='PLC - system' about_title='::: About..' other_title='Wayland ClickDot'

# Checks that a window floats at the given size; prints nothing.
check_whole() { # what title width height
    local w
    read -ra w <<<"$(kav_sway_window "$2")"
    kav_check "$1 floats at its design size" "${w[2]-}x${w[3]-} floating ${w[5]-}" "$3x$4 floating true"
}

kav_sway_start
main_h=$KAV_WH
check_whole "the main window" "$KAV_MAIN_TITLE" 697 "$main_h"

# Another program's window, tiled, takes the focus.
kav_as_user weston-clickdot >"$KAV_TMP/other.log" 2>&1 &
KAV_SESSION_PIDS+=($!)
kav_sway_wait_window "$other_title" 10 || kav_die "the other program's window did not come"
check_whole "the main window beside another program's window" "$KAV_MAIN_TITLE" 697 "$main_h"

# A height step: "&Snabbstart" gives the start conditions, and the right
# cylinder's "&Man" makes the window 3120 twips (208 px) taller; it floats
# whole at its new size.
kav_click 8280 1320 1095 315
kav_expect_colour "Snabbstart turns the start-conditions lamp Text4 green" "$(kav_centre 7440 1560 168 195)" \
    "$KAV_GREEN" 5
kav_click 8880 240 615 255
main_h=$((main_h + 208))
main_height_is() { [[ $(kav_sway_window "$KAV_MAIN_TITLE" | cut -d' ' -f4) == "$1" ]]; }
kav_wait_for 5 main_height_is "$main_h"
check_whole "the main window after Man's height step" "$KAV_MAIN_TITLE" 697 "$main_h"

# "&PLC" -> "PLC - system", and "&About.." (from "&PLC" one menu to the
# left), by the keyboard once the main window has the focus (a click on its
# title bar).
kav_sway_input click $((KAV_WX + 60)) $((KAV_WY - 8))
kav_sway_input key alt+p sleep 0.5 key Return
kav_sway_wait_window "$plc_title" 10 || kav_die "no window titled \"$plc_title\""
check_whole "the PLC - system window (6960 x 5535 twips)" "$plc_title" 464 369
kav_sway_input click $((KAV_WX + 60)) $((KAV_WY - 8)) key alt+p sleep 0.5 key Left key a
kav_sway_wait_window "$about_title" 10 || kav_die "no window titled \"$about_title\""
check_whole "the About window (8385 x 4560 twips)" "$about_title" 559 304
check_whole "the main window with PLC and About open" "$KAV_MAIN_TITLE" 697 "$main_h"

# The other program's window gets the focus back (a click where no window of
# ours floats); a second start, with the token a launcher would give it,
# brings the main window forward.
kav_sway_input click 10 1010
focused_is() { [[ $(kav_sway_focused) == "$1" ]]; }
kav_wait_for 5 focused_is "$other_title"
kav_check "the other program's window has the focus" "$(kav_sway_focused)" "$other_title"
token=$(python3 "$KAV_SEAT" activation-token) || kav_die "sway gave no activation token"
kav_as_user env XDG_ACTIVATION_TOKEN="$token" "$KAV_TMP/prog/kavrilon" >>"$KAV_TMP/kavrilon.log" 2>&1
kav_check "the second start's exit status" "$?" 0
kav_wait_for 5 focused_is "$KAV_MAIN_TITLE"
kav_check "the second start brought the main window forward" "$(kav_sway_focused)" "$KAV_MAIN_TITLE"

kav_finish
