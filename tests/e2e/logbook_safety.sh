#!/usr/bin/env bash
# The logbook is never lost or overwritten by mistake, in the real program:
#   close       "Ta bort loggboken" and then the close box (the window
#               manager's Alt+F4): the program ends and no file comes back;
#   unreadable  a logbook of mode 000, run as a user without privileges (one
#               is created when the test runs as root): after a start, a
#               journal chain and Exit its bytes, mode and owner are as they
#               were, and no temporary file is left;
#   fsize       a file size limit below the logbook's size: every save fails,
#               the program is not killed and ends normally, the logbook is
#               whole and no temporary file is left.
# Usage: logbook_safety.sh <kavrilon> close|unreadable|fsize

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
how=$2
KAV_USER=

# Ends the program (the user must own no process when it goes) and removes
# the created user before the shared clean-up runs.
# shellcheck disable=SC2317  # run by the EXIT trap
safety_cleanup() {
    local rc=$? i
    if [[ -n $KAV_PID ]] && kill -0 "$KAV_PID" 2>/dev/null; then
        kill -KILL "$KAV_PID" 2>/dev/null
        wait "$KAV_PID" 2>/dev/null
    fi
    KAV_PID=
    if [[ -n $KAV_USER ]]; then
        for ((i = 0; i < 50; i++)); do
            userdel "$KAV_USER" 2>/dev/null && break
            sleep 0.1
        done
    fi
    (exit "$rc")
    kav_cleanup
}
trap safety_cleanup EXIT

# A start script that the program replaces, so KAV_PID stays the program's.
starter() { # command words before the program
    {
        printf '#!/bin/bash\nexec'
        printf ' %q' "$@" "$KAV_TMP/prog/kavrilon"
        printf '\n'
    } >"$KAV_TMP/starter"
    chmod 755 "$KAV_TMP/starter"
    KAV_PROG=$KAV_TMP/starter
}

# Waits (bounded) for the program to end; checks that it ended with status 0.
expect_end() { # what
    if kav_wait_gone "$KAV_PID" 10; then
        wait "$KAV_PID"
        local rc=$?
        KAV_PID=
        kav_check "the program's exit status after $1" "$rc" 0
    else
        kav_die "the program was still running 10 s after $1"
    fi
}

# The program folder holds the logbook and the program alone, besides the
# lock a running copy holds.
expect_no_temporary_file() {
    kav_check "files in the program folder" \
        "$(find "$KAV_TMP/prog" -mindepth 1 ! -name .kavrilon.lock -printf '%f ' | tr ' ' '\n' | sort | tr '\n' ' ')" \
        "kavrilon kavrilon.ini "
}

chain_and_exit() {
    # Ctrl+C copies the code and its chain saves the logbook 300 ms later;
    # half a second on, "&Exit.." ends the program with its closing save.
    kav_keys ctrl+c
    sleep 0.8
    kav_click 8280 2760 1095 495
    expect_end "a chain and Exit"
}

case $how in
close)
    kav_start
    kav_wait_welcome_saved || kav_die "the welcome chain did not write the logbook within 5 s"
    # "&Ta bort loggboken": from "&PLC" four menus to the left, then T.
    kav_keys alt+p
    kav_wait_other_window 5 >/dev/null || kav_die "Alt+P opened no menu"
    xdotool key Left Left Left Left t || kav_die "xdotool key failed"
    for ((i = 0; i < 100; i++)); do
        [[ -e $KAV_LOGBOOK ]] || break
        sleep 0.05
    done
    kav_check_true "Ta bort deletes the logbook" test ! -e "$KAV_LOGBOOK"
    # The window manager that runs with the display gives the window its
    # close box; Alt+F4 is openbox's key for it.
    kav_check_true "openbox manages the main window" xprop -id "$KAV_WIN" _NET_FRAME_EXTENTS
    kav_keys alt+F4
    expect_end "the close box"
    kav_check_true "no logbook file after the close box" test ! -e "$KAV_LOGBOOK"
    ;;
unreadable)
    if ((EUID == 0)); then
        KAV_USER=kavt$$-e2e
        for ((i = 0; i < 50; i++)); do
            useradd --system --no-create-home --user-group --shell /usr/sbin/nologin "$KAV_USER" 2>/dev/null && break
            sleep 0.1
        done
        id "$KAV_USER" >/dev/null 2>&1 || kav_die "could not create the user $KAV_USER"
        # The user reaches the program and the X server (which has no
        # authorisation file, so local clients may connect), and owns the
        # program folder and every folder the program may write.
        chmod 755 "$KAV_TMP"
        chown -R "$KAV_USER:" "$KAV_TMP"/{prog,home,runtime,config,cache,data}
        starter setpriv --reuid="$KAV_USER" --regid="$KAV_USER" --clear-groups --
    fi
    printf 'V\xe4lkommen till Vendel Hagmarks loggbok  i Skarnvik\r\nFF8000\r\n' >"$KAV_LOGBOOK"
    cp -p "$KAV_LOGBOOK" "$KAV_TMP/logbook-before"
    [[ -n $KAV_USER ]] && chown "$KAV_USER:" "$KAV_LOGBOOK"
    chmod 000 "$KAV_LOGBOOK"
    before=$(stat -c '%a %U' "$KAV_LOGBOOK")
    kav_start
    kav_check "the program runs as" "$(stat -c %U "/proc/$KAV_PID")" "${KAV_USER:-$(id -un)}"
    chain_and_exit
    kav_check "mode and owner of the logbook" "$(stat -c '%a %U' "$KAV_LOGBOOK")" "$before"
    kav_check_true "the logbook's bytes are untouched" cmp -s "$KAV_LOGBOOK" "$KAV_TMP/logbook-before"
    expect_no_temporary_file
    ;;
fsize)
    head -c 65536 /dev/zero | tr '\0' 'x' >"$KAV_LOGBOOK"
    cp "$KAV_LOGBOOK" "$KAV_TMP/logbook-before"
    starter prlimit --fsize=16384 --
    kav_start
    chain_and_exit
    kav_check_true "the logbook's bytes are untouched" cmp -s "$KAV_LOGBOOK" "$KAV_TMP/logbook-before"
    expect_no_temporary_file
    ;;
*) kav_die "unknown case $how" ;;
esac

kav_finish
