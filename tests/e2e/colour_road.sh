#!/usr/bin/env bash
# The road of one colour code through the real program: quick start, "Välj
# färg..", orange chosen in Qt's colour dialog (titled in Swedish whatever the
# locale) with the keyboard, the code and its congratulation line saved at the
# end of the logbook file, the panel lamps that follow the choice, the dialog
# opened again on orange and closed unchanged logging FF8000 once more, then
# Ctrl+C and another program (xclip) pasting exactly FF8000 from the
# clipboard, and the copy's journal line saved. The main window lies on the
# screen. Every desktop profile runs it (profiles.sh).
# Usage: colour_road.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
kav_start
kav_check_on_screen "$KAV_WIN" "main window"

text4=$(kav_centre 7440 1560 168 195)   # start-conditions lamp
text7=$(kav_centre 7440 2280 168 195)   # paste-ready lamp
text17=$(kav_centre 1800 2670 168 210)  # colour-code-ready lamp
text18=$(kav_centre 600 2100 168 195)   # piston home-position lamp
text19=$(kav_centre 1285 2100 168 195)  # piston front-position lamp

# "&Snabbstart" (Command18) enables the colour buttons at once.
kav_click 8280 1320 1095 315
kav_expect_colour "Snabbstart turns the start-conditions lamp Text4 green" "$text4" "$KAV_GREEN" 5

# The start sequence still runs after a quick start and appends its own
# journal lines at 4 s and 10 s (saved with the next chain). Waiting until
# both are behind us keeps the end of the logbook file to the colour chain's
# lines, and keeps the 10 s step from replacing the clipboard later on.
kav_wait_start_sequence_over quick

kav_shot
kav_check_pixels "$KAV_SHOT" \
    "colour-code-ready lamp Text17 yellow before a choice" "$text17" "$KAV_YELLOW" \
    "paste-ready lamp Text7 yellow before a copy" "$text7" "$KAV_YELLOW"

# "Välj färg.." (cmdColor) opens the colour dialog, modal, as a second window.
kav_click 2040 0 2535 1335
dialog=$(kav_wait_other_window 10) || kav_die "no colour dialog appeared within 10 s of clicking Välj färg.."
kav_check "colour dialog's title" "$(xdotool getwindowname "$dialog")" "Välj färg"
# Alt+H focuses the HTML field with its text selected; the typed name replaces it.
kav_keys_to "$dialog" alt+h
xdotool type --delay 20 '#ff8000' || kav_die "xdotool type failed"
xdotool key Return || kav_die "xdotool key Return failed"
kav_wait_no_other_window 10 || kav_die "the colour dialog did not close on Return"
chosen_at=$EPOCHREALTIME

# 600 ms after the choice the chain has saved the list: the file ends with the
# congratulation line and the code, in Windows-1252 with CR LF.
printf '%s\r\n' "$KAV_CONGRATS" FF8000 >"$KAV_TMP/expected-colour-tail"
if kav_wait_logbook_tail "$KAV_TMP/expected-colour-tail" 5; then
    now=${EPOCHREALTIME/./}
    t=${chosen_at/./}
    kav_log "logbook saved with the code $(((now - t) / 1000)) ms after the dialog was seen closed"
    kav_pass "logbook file ends with the congratulation line and FF8000"
    # The quick start's handler gives the start conditions: its journal line
    # before the 10 s step's shows that it, not that step, unlocked the panel.
    kav_check_true "the quick start, not the 10 s step, unlocked the panel" \
        kav_logbook_order "$KAV_LINE_QUICK_START" "$KAV_LINE_START_CONDITIONS"
else
    kav_fail "logbook file ends with the congratulation line and FF8000"
    kav_dump_logbook
fi

# The dialog opens again on the colour chosen last: OK without a change
# logs FF8000 once more.
size=$(stat -c %s "$KAV_LOGBOOK")
xdotool mousemove 0 0 # away first: a move to where the pointer is never ends
kav_click 2040 0 2535 1335
dialog=$(kav_wait_other_window 10) || kav_die "no colour dialog appeared when opened again"
kav_keys_to "$dialog" Return
kav_wait_no_other_window 10 || kav_die "the colour dialog opened again did not close on Return"
grown_by_colour_tail() {
    (($(stat -c %s "$KAV_LOGBOOK") > size)) && kav_logbook_ends_with "$KAV_TMP/expected-colour-tail"
}
if kav_wait_for 5 grown_by_colour_tail; then
    kav_pass "the dialog opened again kept orange: the logbook gained FF8000 again"
else
    kav_fail "the dialog opened again kept orange: the logbook gained FF8000 again"
    kav_dump_logbook
fi

# The piston has run out, and the colour-code-ready lamp is lit until the
# piston returns 4 s after the choice.
kav_expect_colour "colour-code-ready lamp Text17 green after the choice" "$text17" "$KAV_GREEN" 3
kav_check_pixels "$KAV_SHOT" \
    "start-conditions lamp Text4 green" "$text4" "$KAV_GREEN" \
    "piston front-position lamp Text19 green" "$text19" "$KAV_GREEN" \
    "piston home-position lamp Text18 yellow" "$text18" "$KAV_YELLOW"

# Before the copy the clipboard does not hold the new code: the 10 s step
# found the code box empty and left the clipboard alone.
before=$(timeout 10 xclip -o -selection clipboard 2>/dev/null)
kav_check_true "clipboard does not hold FF8000 before the copy" test "$before" != FF8000

# Ctrl+C (menu item "&Kopiera till klippminnet..") with the menu closed.
kav_keys ctrl+c
kav_expect_colour "paste-ready lamp Text7 green after Ctrl+C" "$text7" "$KAV_GREEN" 5
kav_wait_clipboard FF8000
kav_check "bytes xclip pastes from the clipboard" "$(od -An -c "$KAV_TMP/clipboard" | tr -s ' ')" \
    "$(od -An -c "$KAV_TMP/expected-clipboard" | tr -s ' ')"

# The copy's journal chain appends its line and saves the file again.
printf '%s\r\n' "$KAV_LINE_COPY" >"$KAV_TMP/expected-copy-tail"
if kav_wait_logbook_tail "$KAV_TMP/expected-copy-tail" 5; then
    kav_pass "logbook file ends with the copy's journal line"
else
    kav_fail "logbook file ends with the copy's journal line"
    kav_dump_logbook
fi

# 4 s after the choice the piston returns and the ready lamp goes dark.
kav_expect_colour "colour-code-ready lamp Text17 yellow again when the piston returns" "$text17" "$KAV_YELLOW" 10
kav_check_pixels "$KAV_SHOT" "piston home-position lamp Text18 green again" "$text18" "$KAV_GREEN"

# Qt's own dialog only: no desktop dialog was made behind it (GNOME's reads
# its settings and warns about them where no settings service runs).
# shellcheck disable=SC2016  # expanded by the inner shell
kav_check_true "no desktop colour dialog was made (no dconf warnings)" \
    bash -c '! grep -qi dconf "$1"' _ "$KAV_TMP/kavrilon.log"

kav_finish
