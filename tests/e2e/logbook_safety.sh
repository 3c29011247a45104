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
# The program folder holds the logbook and the program alone, besides the
# lock a running copy holds.
expect_no_temporary_file() {
    kav_check "files in the program folder" \
        "$(find "$KAV_TMP/prog" -mindepth 1 ! -name .kavrilon.ini.lock -printf '%f ' | tr ' ' '\n' | sort | tr '\n' ' ')" \
        "kavrilon kavrilon.ini "
}

chain_and_exit() {
    # Ctrl+C copies the code and its chain saves the logbook 300 ms later;
    # once the copy's captions are back, "&Exit.." ends the program with its
    # closing save.
    kav_keys ctrl+c
    kav_wait_copy_over 10 || kav_fail "the copy's paste hint came and went"
    kav_click 8280 2760 1095 495
    kav_expect_end "a chain and Exit"
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
    kav_expect_end "the close box"
    kav_check_true "no logbook file after the close box" test ! -e "$KAV_LOGBOOK"
    ;;
unreadable)
    kav_become_user
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
    kav_starter prlimit --fsize=16384 --
    kav_start
    chain_and_exit
    kav_check_true "the logbook's bytes are untouched" cmp -s "$KAV_LOGBOOK" "$KAV_TMP/logbook-before"
    expect_no_temporary_file
    ;;
*) kav_die "unknown case $how" ;;
esac

kav_finish
