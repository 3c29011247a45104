#!/usr/bin/env bash
# The code box's context menu in the real program: after orange is chosen,
# it opens with the right button and with Shift+F10, and its first item puts
# exactly "#FF8000" on the clipboard, as another program (xclip) pastes it.
# Usage: code_box_menu.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
kav_start

kav_click 8280 1320 1095 315 # "&Snabbstart" unlocks the colour buttons
# The start sequence's 10 s step would copy a chosen code itself; let it pass.
kav_wait_start_sequence_over quick

kav_click 2040 0 2535 1335 # "Välj färg.."
dialog=$(kav_wait_other_window 10) || kav_die "no colour dialog appeared"
kav_keys_to "$dialog" alt+h
xdotool type --delay 20 '#ff8000' && xdotool key Return || kav_die "xdotool failed"
kav_wait_no_other_window 10 || kav_die "the colour dialog did not close on Return"
printf 'FF8000\r\n' >"$KAV_TMP/expected-code-tail"
kav_wait_logbook_tail "$KAV_TMP/expected-code-tail" 5 || kav_die "the chosen code was not saved"

# The right button on the code box opens its menu; Escape closes it.
read -ra xy <<<"$(kav_centre 2160 2160 1215 405)"
kav_click_at 3 "${xy[0]}" "${xy[1]}"
kav_wait_other_window 5 >/dev/null || kav_die "no context menu appeared on the code box"
xdotool key Escape || kav_die "xdotool key failed"
kav_wait_no_other_window 5 || kav_die "Escape did not close the context menu"
# From the keyboard, on a laptop without a Menu key: Shift+F10 in the box
# (a click gives it the focus), then the menu's first item.
kav_click_at 1 "${xy[0]}" "${xy[1]}"
kav_keys shift+F10
menu=$(kav_wait_other_window 5) || kav_die "Shift+F10 opened no menu on the code box"
kav_pass "Shift+F10 opens the code box's menu"
xdotool key Down Return || kav_die "xdotool key failed"
kav_wait_no_other_window 5 || kav_fail "the context menu stayed open"

if kav_wait_clipboard '#FF8000'; then kav_pass "the menu's first item put #FF8000 on the clipboard"; else
    kav_check "clipboard after the menu's first item" "$(cat "$KAV_TMP/clipboard")" '#FF8000'
fi
kav_log "menu window was $menu"

kav_finish
