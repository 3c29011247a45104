#!/usr/bin/env bash
# "&Ta bort loggboken..(Kavrilon.ini)" in the real program, started from its
# own folder: with the logbook file there, the file goes and nothing is shown;
# with no file, a modal message box titled "Delete - FEL" appears, owned by
# the main window, and the file stays away; the next journal chain (Ctrl+C)
# writes the file again with the whole list.
# Usage: logbook_delete.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
command -v xprop >/dev/null 2>&1 || kav_die "xprop is not installed (TESTING.md lists the packages)"
# No program can be started from here (an empty PATH of fakes), and no
# system service reached.
# shellcheck disable=SC2119  # no names: an empty folder
kav_fake_programs
kav_start_with "$KAV_TMP/prog" "PATH=$KAV_FAKE_BIN" "DBUS_SYSTEM_BUS_ADDRESS=unix:path=$KAV_TMP/no-system-bus"

readonly box_title='Delete - FEL'

# The welcome chain writes the new logbook about 300 ms after start.
saved=false
kav_wait_welcome_saved && saved=true
$saved || { kav_dump_logbook; kav_die "the welcome chain did not write the logbook within 5 s"; }
kav_pass "the welcome chain wrote the logbook"

# With the file there, from the menu bar: "&Arkiv.." shares its letter with
# "&About..", so from "&PLC" four menus to the left; "&Ta bort" is the only
# item of "&Arkiv.." with T.
kav_keys alt+p
kav_wait_other_window 5 >/dev/null || kav_die "Alt+P opened no menu"
xdotool key Left Left Left Left t || kav_die "xdotool key failed"
gone=false
for ((i = 0; i < 100; i++)); do
    [[ -e $KAV_LOGBOOK ]] || { gone=true; break; }
    sleep 0.05
done
if $gone; then kav_pass "Ta bort deletes the logbook file"; else kav_fail "Ta bort deletes the logbook file"; fi
# Nothing is shown for a delete that worked (the menu has closed too).
if kav_wait_other_window 2 >/dev/null; then
    kav_fail "no window after deleting a present file (shown: $(kav_other_windows | while read -r w; do xdotool getwindowname "$w"; done | tr '\n' ','))"
else
    kav_pass "no window after deleting a present file"
fi

# With no file, from the right-button menu of the main window's client area,
# which is "&Arkiv.." (the pointer on the empty grey between the lamp column
# and "&Exit..").
kav_focus
kav_click_at 3 530 210
kav_wait_other_window 5 >/dev/null || kav_die "the right mouse button opened no menu"
xdotool key t || kav_die "xdotool key t failed"
box=$(kav_wait_window_titled "$box_title" 10) || kav_die "no window titled \"$box_title\" within 10 s of deleting a missing file"
kav_pass "deleting a missing file shows a window titled exactly \"$box_title\""
# The box is modal, so the handler waits in it: a window it opened before the
# box was mapped before it, and none can come after.
kav_check "windows besides the main one with the message box open" "$(kav_other_windows | wc -l)" 1
kav_check "owner (WM_TRANSIENT_FOR) of the message box" \
    "$(xprop -id "$box" WM_TRANSIENT_FOR | awk '{print $NF}')" "$(printf '0x%x' "$KAV_WIN")"
kav_check_true "the message box is modal (_NET_WM_STATE_MODAL)" \
    grep -q _NET_WM_STATE_MODAL <<<"$(xprop -id "$box" _NET_WM_STATE)"
kav_check_true "the failed delete wrote no logbook file" test ! -e "$KAV_LOGBOOK"

kav_keys_to "$box" Escape
if kav_wait_no_other_window 10; then kav_pass "Escape closes the message box"; else kav_fail "Escape closes the message box"; fi
kav_check_true "no logbook file after the message box" test ! -e "$KAV_LOGBOOK"

# The delete left the list alone: the copy's chain saves it whole again,
# the welcome line first and the copy's journal line last. The start sequence
# adds lines of its own at 4 s and 10 s, which the next save takes along;
# once both are behind us, the copy's line is the last.
kav_wait_start_sequence_over
kav_keys ctrl+c
printf '%s\r\n' "$KAV_LINE_COPY" >"$KAV_TMP/expected-copy-tail"
if kav_wait_logbook_tail "$KAV_TMP/expected-copy-tail" 5; then
    kav_pass "the next chain writes the logbook again, ending with the copy's line"
else
    kav_fail "the next chain writes the logbook again, ending with the copy's line"
    kav_dump_logbook
fi
kav_check_true "the logbook written again starts with the welcome lines" \
    cmp -s -n "$(stat -c %s "$KAV_TMP/expected-welcome")" "$KAV_LOGBOOK" "$KAV_TMP/expected-welcome"

kav_finish
