#!/usr/bin/env bash
# What the user copied before starting the program is still on the clipboard
# after the start sequence's 10 s step, with and without a quick start: the
# step copies the code box only when it holds a code, and at start it is
# empty. Another program (xclip) holds the user's text, as a text editor
# would, and the program is started twice.
# Usage: start_keeps_clipboard.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"

users_text='användarens egen text'
printf '%s' "$users_text" | xclip -i -selection clipboard -loops 0 -quiet 2>>"$KAV_TMP/xclip.log" &
holder=$!
kav_wait_clipboard "$users_text" || kav_die "xclip did not take the clipboard"

for start in plain quick; do
    kav_start
    if [[ $start == quick ]]; then
        kav_click 8280 1320 1095 315 # "&Snabbstart"
        kav_wait_start_sequence_over quick
    else
        kav_wait_start_sequence_over
    fi
    pasted=$(timeout 10 xclip -o -selection clipboard 2>/dev/null)
    kav_check "what xclip pastes after the 10 s step ($start start)" "$pasted" "$users_text"
    kill -TERM "$KAV_PID"
    kav_expect_end "SIGTERM"
done
kav_check_true "the user's clipboard program still holds the clipboard" kill -0 "$holder"
kill "$holder" 2>/dev/null

kav_finish
