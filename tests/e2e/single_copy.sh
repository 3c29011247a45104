#!/usr/bin/env bash
# shellcheck disable=SC2317  # helpers are called indirectly: by name, from a trap, through a wait
# One running copy per program folder, with a window manager (openbox): a
# second start ends at once with status 0, leaves the logbook alone and brings
# the first copy's minimised window back, active. A copy killed with SIGKILL
# leaves no lock that stops the next start, and that start removes the
# temporary files of saves whose process is gone, keeping a live one's. A
# first copy slow to start (its X server answers only after 3 s) already holds
# the lock but does not listen yet: a second start waits for it and ends with
# status 0 once it answers.
# Usage: single_copy.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
active_window() { printf '%d' "$(xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*# \(0x[0-9a-f]*\).*/\1/p')"; }
is_active() { [[ $(active_window) == "$1" ]]; }

# Starts the program and waits until openbox manages its main window (the
# first-paint check of kav_start reads pixels at frameless positions).
start_managed() {
    "$KAV_PROG" >>"$KAV_TMP/kavrilon.log" 2>&1 &
    KAV_PID=$!
    KAV_WIN=$(timeout 30 xdotool search --sync --onlyvisible --limit 1 --pid "$KAV_PID" 2>/dev/null | head -n 1)
    [[ -n $KAV_WIN ]] || kav_die "no window of the program was mapped within 30 s"
    kav_wait_managed "$KAV_WIN" 10 || kav_die "openbox did not manage the window within 10 s"
}
# Waits up to the given seconds for the second start ($second) to end, with status 0.
second_ends() { # seconds what
    if kav_wait_gone "$second" "$1"; then
        wait "$second"
        kav_check "$2: its exit status" "$?" 0
    else
        kav_fail "$2 ended within $1 s"
        kill -KILL "$second" 2>/dev/null
    fi
}

start_managed
kav_wait_welcome_saved || kav_die "the first copy did not save its welcome line"

xdotool windowminimize "$KAV_WIN"
kav_wait_for 5 kav_has_wm_state "$KAV_WIN" Iconic || kav_die "the window manager did not minimise the window"
before=$(stat -c '%i %Y %s' "$KAV_LOGBOOK")

# The second copy, started like the first.
"$KAV_PROG" >"$KAV_TMP/second.log" 2>&1 &
second=$!
second_ends 1 "the second copy"
kav_check "the logbook after the second start (inode, time, size)" "$(stat -c '%i %Y %s' "$KAV_LOGBOOK")" "$before"
kav_check_true "the logbook still holds only the first copy's welcome" cmp -s "$KAV_LOGBOOK" "$KAV_TMP/expected-welcome"
kav_check_true "the first copy's window is shown again (WM_STATE Normal)" kav_wait_for 5 kav_has_wm_state "$KAV_WIN" Normal
kav_check_true "the first copy's window is the active one" kav_wait_for 5 is_active "$KAV_WIN"

# A killed copy: its lock goes with it. Temporary files of a save of a dead
# process and of a live one (this script's) lie in the folder.
kill -KILL "$KAV_PID"
wait "$KAV_PID" 2>/dev/null
KAV_PID=
sh -c 'exit 0' &
dead=$!
wait "$dead"
prog_dir=$(dirname -- "$KAV_LOGBOOK")
stale=$prog_dir/.kavrilon.ini.$dead-0-00000000deadbeef.tmp
live=$prog_dir/.kavrilon.ini.$$-0-00000000cafebabe.tmp
printf 'half a save' >"$stale"
printf 'a save in progress' >"$live"
start_managed
kav_pass "a start after a SIGKILLed copy runs (its window was mapped)"
kav_check_true "the dead process's temporary file is removed" test ! -e "$stale"
kav_check_true "the live process's temporary file is kept" test -f "$live"

# The slow first copy.
kill -TERM "$KAV_PID"
wait "$KAV_PID" 2>/dev/null
KAV_PID=
lock_held() { [[ -s $prog_dir/.kavrilon.ini.lock ]]; }
kill -STOP "$KAV_XVFB_PID"
"$KAV_PROG" >>"$KAV_TMP/kavrilon.log" 2>&1 &
KAV_PID=$!
kav_wait_for 10 lock_held || kav_die "the slow first copy took no lock within 10 s"
"$KAV_PROG" >"$KAV_TMP/second.log" 2>&1 &
second=$!
sleep 3
kill -CONT "$KAV_XVFB_PID"
second_ends 20 "a second start beside a slow first copy"

kav_finish
