#!/usr/bin/env bash
# The colour road on sway, a tiling Wayland desktop, through the real
# xdg-desktop-portal: the main window's "Välj färg.." and the colour dialog's
# "Hämta färg från skärmen" (Alt+S) pick the desktop's background colour with
# a click in the portal's picker, and the logbook saves its code; --pick does
# the same in the dialog alone, and --pick-screen prints the code of the
# clicked colour, exits 1 when the picker is left with Escape. Given
# "no-portal" (the session's bus can start no portal) nothing can read the
# screen: the dialog shows no pick button (the colour is chosen by its code
# instead) and --pick-screen exits 3 with a line in Swedish.
# Usage: sway_colour.sh <kavrilon> [no-portal]

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
[[ ${KAV_COMPOSITOR:-} == sway ]] || kav_die "no sway desktop (run in a sway profile)"
portal=true
[[ ${2:-} == no-portal ]] && portal=false
readonly dialog_title='Välj färg'
# A corner of the background that no window covers: the windows float centred.
readonly bg_x=1270 bg_y=1015
expect() { printf '%s\n' "$1" | od -An -c | tr -s ' '; }

# In an open colour dialog: Alt+S, the pick button's access key, until the
# portal's picker runs (the button comes once the portal has said its
# version), then a click on the background; sets `picked` to the colour
# the click picks. Without a portal the key starts nothing, and `picked`
# stays empty.
pick_in_dialog() { # what
    local i
    picked=
    if ! $portal; then
        kav_sway_input key alt+s sleep 1
        kav_check_true "$1: no portal, no picker" test -z "$(kav_running slurp && echo yes)"
        return
    fi
    for ((i = 0; i < 10; i++)); do
        kav_sway_input key alt+s
        kav_wait_picker 2 && break
    done
    ((i < 10)) || kav_die "$1: Hämta färg från skärmen started no picker of the portal"
    kav_sway_input sleep 0.3 click "$bg_x" "$bg_y"
    picked=$KAV_SWAY_BG
}

kav_sway_start
text4=$(kav_centre 7440 1560 168 195) # start-conditions lamp
kav_click 8280 1320 1095 315          # "&Snabbstart"
kav_expect_colour "Snabbstart turns the start-conditions lamp Text4 green" "$text4" "$KAV_GREEN" 5

# "Välj färg.." opens the dialog; its code goes to the logbook.
kav_click 2040 0 2535 1335
kav_sway_wait_window "$dialog_title" 10 || kav_die "no colour dialog within 10 s of clicking Välj färg.."
pick_in_dialog "Välj färg.."
# Without a pick the code typed into the HTML field chooses orange.
[[ -n $picked ]] || kav_sway_input key alt+h sleep 0.3 key 'shift+#' type ff8000
code=${picked:-FF8000}
kav_sway_input sleep 0.5 key Return
printf '%s\r\n' "$KAV_CONGRATS" "$code" >"$KAV_TMP/expected-colour-tail"
# The start sequence's steps at 4 s and 10 s may add their lines after them.
logbook_holds_tail() {
    [[ $(LC_ALL=C cat "$KAV_LOGBOOK" 2>/dev/null) == *"$(LC_ALL=C cat "$KAV_TMP/expected-colour-tail")"* ]]
}
if kav_wait_for 10 logbook_holds_tail; then
    kav_pass "the logbook holds the congratulation line and $code"
else
    kav_fail "the logbook holds the congratulation line and $code"
    kav_dump_logbook
fi

# --pick: the dialog alone.
kav_as_user "$KAV_TMP/prog/kavrilon" --pick >"$KAV_TMP/pick.out" 2>>"$KAV_TMP/kavrilon.log" &
pid=$!
kav_sway_wait_window "$dialog_title" 30 || kav_die "--pick showed no dialog within 30 s"
pick_in_dialog "--pick"
expected=${picked:-$code} # without a pick, the colour it opened on: the last one chosen
kav_sway_input sleep 0.5 key Return
kav_wait_gone "$pid" 10 || kav_die "--pick did not end after Return"
wait "$pid"
kav_check "--pick exit code" "$?" 0
kav_check "--pick prints the code of the colour under the click" "$(od -An -c "$KAV_TMP/pick.out" | tr -s ' ')" \
    "$(expect "$expected")"

# --pick-screen: the portal's picker at once.
pick_screen() { # action... (after the picker runs)
    kav_as_user "$KAV_TMP/prog/kavrilon" --pick-screen >"$KAV_TMP/pick.out" 2>"$KAV_TMP/pick.err" &
    pid=$!
    if $portal; then
        kav_wait_picker 30 || kav_die "--pick-screen started no picker of the portal"
        kav_sway_input sleep 0.3 "$@"
    fi
    kav_wait_gone "$pid" 30 || kav_die "--pick-screen did not end"
    wait "$pid"
    PICK_RC=$?
    PICK_OUT=$(od -An -c "$KAV_TMP/pick.out" | tr -s ' ')
}
if $portal; then
    pick_screen click "$bg_x" "$bg_y"
    kav_check "--pick-screen prints the code of the colour under the click" "$PICK_OUT" "$(expect "$KAV_SWAY_BG")"
    kav_check "--pick-screen exit code after a pick" "$PICK_RC" 0
    pick_screen key Escape
    kav_check "--pick-screen left with Escape prints nothing" "$PICK_OUT" ""
    kav_check "--pick-screen exit code after Escape" "$PICK_RC" 1
else
    pick_screen
    kav_check "--pick-screen without a portal prints nothing" "$PICK_OUT" ""
    kav_check "--pick-screen exit code without a portal" "$PICK_RC" 3
    kav_check_true "--pick-screen says why in Swedish" grep -q 'ingen färg kan hämtas' "$KAV_TMP/pick.err"
fi

kav_finish
