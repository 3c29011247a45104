#!/usr/bin/env bash
# --palette as a script uses it: the colours chosen before, read from the
# logbook beside the program, printed without a display; the logbook and its
# folder stay as they were; with no logbook a Swedish line and exit 1; and
# while the program itself runs on that folder (holding its one-copy lock),
# the palette still prints.
# Usage: palette_command.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"

palette() { # args... ; leaves PAL_RC, PAL_OUT (od form) and the error text in $KAV_TMP/pal.err
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$KAV_PROG" --palette "$@" \
        >"$KAV_TMP/pal.out" 2>"$KAV_TMP/pal.err"
    PAL_RC=$?
    PAL_OUT=$(od -An -c "$KAV_TMP/pal.out" | tr -s ' ')
}
expect() { printf '%s' "$1" | od -An -c | tr -s ' '; }

palette
kav_check "--palette with no logbook: exit code" "$PAL_RC" 1
kav_check "--palette with no logbook prints nothing" "$PAL_OUT" ""
kav_check_true "--palette with no logbook says so in Swedish" grep -q 'ingen loggbok' "$KAV_TMP/pal.err"
kav_check "--palette with no logbook makes no file" "$(ls -A "$KAV_TMP/prog")" kavrilon

# Repeated, missing and malformed code lines, and a last line without CR LF.
printf '%s\r\n' '' "$KAV_CONGRATS" FF8000 "$KAV_CONGRATS" 00ff00 "$KAV_CONGRATS" FF8000 "$KAV_CONGRATS" '' \
    "$KAV_CONGRATS" FF800 "$KAV_CONGRATS" GG0000 123456 >"$KAV_LOGBOOK"
printf '%s\r\n%s' "$KAV_CONGRATS" 0000FF >>"$KAV_LOGBOOK"
cp -- "$KAV_LOGBOOK" "$KAV_TMP/logbook-before"
touch -d '2001-01-01 00:00' "$KAV_LOGBOOK"

palette
kav_check "--palette: exit code" "$PAL_RC" 0
kav_check "--palette prints a GIMP palette by default" "$PAL_OUT" \
    "$(expect $'GIMP Palette\nName: Kavrilon\n255 128 0\tFF8000\n0 255 0\t00FF00\n0 0 255\t0000FF\n')"
palette --format hex
kav_check "--palette --format hex" "$PAL_OUT" "$(expect $'FF8000\n00FF00\n0000FF\n')"
kav_check_true "--palette left the logbook's bytes alone" cmp -s "$KAV_LOGBOOK" "$KAV_TMP/logbook-before"
kav_check "--palette left the logbook's time alone" "$(stat -c %Y "$KAV_LOGBOOK")" "$(date -d '2001-01-01 00:00' +%s)"
kav_check "--palette made no other file" "$(ls -A "$KAV_TMP/prog" | tr '\n' ' ')" "kavrilon kavrilon.ini "

palette --format rgb
kav_check "--palette --format rgb: exit code" "$PAL_RC" 2

# The program runs on the same folder and holds its lock; a second plain
# start would only raise it. The palette is read all the same.
kav_start
printf 'V\xe4lkommen till Vendel Hagmarks loggbok  i Skarnvik\r\n' >"$KAV_TMP/expected-tail"
kav_wait_logbook_tail "$KAV_TMP/expected-tail" 5 || kav_die "the welcome chain did not save"
palette --format hex
kav_check "--palette while the program runs: exit code" "$PAL_RC" 0
kav_check "--palette while the program runs" "$PAL_OUT" "$(expect $'FF8000\n00FF00\n0000FF\n')"

kav_finish
