#!/usr/bin/env bash
# Other programs touch the logbook while the program runs, and the session's
# lines and their change both reach the file. Run as a user without
# privileges (one is created when the tests run as root):
#   rename  an editor's save (sed -i writes a new file and renames it over the
#           old one), then a copy chain and Exit: the edit and the chain's
#           line are both in the file;
#   append  another program appends a line in place, then a chain: both kept;
#   delete  the logbook deleted once the start sequence has written its
#           unsaved lines, then Exit: no file comes back;
#   chain   deleted, then a chain: the file is back, old lines included;
#   appends a logbook of a million lines, and a script that appends a line to
#           it in place every 0.37 s while copy chains save it every 0.35 s,
#           so that the appends fall in the middle of saves: every appended
#           line is in the file at the end, followed by the last chain's line;
#   root    a start by root (umask 027) in the user's folder, ended with Exit,
#           then the user's start and chain: the user's lines are saved and
#           no file of root's is left in the folder.
# Usage: logbook_edits.sh <kavrilon> rename|append|appends|delete|chain|root

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
how=$2
copied='Anv\xe4ndaren har tryck p\xe5 knappen eller menyn:  Kopiera till Klipp-Minnet\r\n'
kav_become_user

# Ctrl+C copies the code; its chain saves the logbook 300 ms later, which
# the file's last line shows.
copy_chain() {
    printf "$copied" >"$KAV_TMP/expected-tail"
    kav_keys ctrl+c
    kav_wait_logbook_tail "$KAV_TMP/expected-tail" 5 || kav_fail "the copy chain's line reached the file"
}

exit_program() {
    kav_click 8280 2760 1095 495 # "&Exit.."
    kav_expect_end "Exit"
}

# Whether the logbook begins with the bytes of the given file.
starts_with() { # file
    cmp -s -n "$(stat -c %s "$1")" "$KAV_LOGBOOK" "$1"
}

case $how in
rename | append)
    printf 'gammal rad\r\n' >"$KAV_LOGBOOK"
    [[ -n $KAV_USER ]] && chown "$KAV_USER:" "$KAV_LOGBOOK"
    kav_start
    printf '\r\ngammal rad\r\nV\xe4lkommen till Vendel Hagmarks loggbok  i Skarnvik\r\n' >"$KAV_TMP/expected-tail"
    kav_wait_logbook_tail "$KAV_TMP/expected-tail" 5 || kav_die "the welcome chain did not save within 5 s"
    if [[ $how == rename ]]; then
        kav_as_user sed -i 's/gammal rad/redigerad rad/' "$KAV_LOGBOOK" || kav_die "sed -i failed"
    else
        kav_as_user sh -c 'printf "tillagd rad\r\n" >>"$1"' sh "$KAV_LOGBOOK" || kav_die "the append failed"
    fi
    cp "$KAV_LOGBOOK" "$KAV_TMP/changed"
    copy_chain
    exit_program
    kav_check_true "the other program's change is kept" starts_with "$KAV_TMP/changed"
    kav_check_true "the chain's line follows it" grep -qa 'Kopiera till Klipp-Minnet' "$KAV_LOGBOOK"
    ;;
appends)
    "$(dirname -- "${BASH_SOURCE[0]}")/../../bench/startup/make-logbook.sh" 1M "$KAV_LOGBOOK" >/dev/null ||
        kav_die "could not make the logbook"
    [[ -n $KAV_USER ]] && chown "$KAV_USER:" "$KAV_LOGBOOK"
    kav_start
    printf 'V\xe4lkommen till Vendel Hagmarks loggbok  i Skarnvik\r\n' >"$KAV_TMP/expected-tail"
    kav_wait_logbook_tail "$KAV_TMP/expected-tail" 30 || kav_die "the welcome chain did not save within 30 s"
    kav_as_user sh -c 'for i in $(seq 1 25); do printf "tillagd rad %d\r\n" "$i" >>"$1"; sleep 0.37; done' \
        sh "$KAV_LOGBOOK" &
    appender=$!
    for ((i = 0; i < 26; i++)); do
        kav_keys ctrl+c
        sleep 0.35
    done
    wait "$appender" || kav_die "the appends failed"
    copy_chain
    exit_program
    kept=0
    for ((i = 1; i <= 25; i++)); do
        grep -qa "^tillagd rad $i"$'\r'"\$" "$KAV_LOGBOOK" && kept=$((kept + 1))
    done
    kav_check "the appended lines in the file" "$kept" 25
    ;;
delete | chain)
    kav_start
    kav_wait_welcome_saved || kav_die "the welcome chain did not write the logbook within 5 s"
    cp "$KAV_LOGBOOK" "$KAV_TMP/saved"
    # The start conditions lamp turns green with the start sequence's second
    # journal line, which no chain saves.
    kav_expect_colour "the start conditions are given" "$(kav_centre 7440 1560 168 195)" "$KAV_GREEN" 30
    kav_as_user rm -- "$KAV_LOGBOOK"
    if [[ $how == chain ]]; then
        copy_chain
        kav_check_true "the file is back with its old lines" starts_with "$KAV_TMP/saved"
        exit_program
    else
        exit_program
        kav_check_true "no logbook comes back at Exit" test ! -e "$KAV_LOGBOOK"
    fi
    ;;
root)
    ((EUID == 0)) || kav_die "the root case runs as root"
    printf 'anv\xe4ndarens rad\r\n' >"$KAV_LOGBOOK"
    chown "$KAV_USER:" "$KAV_LOGBOOK"
    chmod 644 "$KAV_LOGBOOK"
    cp "$KAV_LOGBOOK" "$KAV_TMP/before"
    user_prog=$KAV_PROG
    printf '#!/bin/bash\numask 027\nexec %q\n' "$KAV_TMP/prog/kavrilon" >"$KAV_TMP/root-starter"
    chmod 755 "$KAV_TMP/root-starter"
    KAV_PROG=$KAV_TMP/root-starter
    kav_start
    kav_check "the first session runs as" "$(stat -c %U "/proc/$KAV_PID")" root
    # Its first save is held, and the program says so in a box of its own.
    kav_wait_window_titled "Kavrilon - loggboken" 5 >/dev/null || kav_fail "root's session tells that it saves nothing"
    kav_keys ctrl+c
    kav_wait_copy_over 10 || kav_fail "root's copy came and went"
    exit_program
    kav_check_true "root's session left the logbook as it was" cmp -s "$KAV_LOGBOOK" "$KAV_TMP/before"
    KAV_PROG=$user_prog
    kav_start
    copy_chain
    exit_program
    # A start puts an empty line before the lines it loaded.
    { printf '\r\n' && cat "$KAV_TMP/before"; } >"$KAV_TMP/expected-head"
    kav_check_true "the user's session kept the old line" starts_with "$KAV_TMP/expected-head"
    kav_check "files of root's in the program folder" "$(find "$KAV_TMP/prog" -user root -printf '%f ')" ""
    ;;
*) kav_die "unknown case $how" ;;
esac

kav_finish
