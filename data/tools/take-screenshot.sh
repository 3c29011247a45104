#!/usr/bin/env bash
# Takes the screenshot of the main window that the README shows, from the real
# program on a private Xvfb: quick start, orange chosen in the colour dialog,
# its code shown, then the window alone as a PNG.
#
#     data/tools/take-screenshot.sh [build/run/app/kavrilon] [data/screenshots/main-window.png]
#
# Uses the end-to-end tests' helpers, so it needs what they need (Xvfb,
# xdotool, xclip, ImageMagick). The program runs from a temporary copy, so no
# logbook is written anywhere else; the PNG is stripped of time stamps, so a
# new run changes the file only when the window looks different.
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd -- "$here/../.." && pwd)
program=$(realpath -- "${1:-$repo/build/run/app/kavrilon}")
out=$(realpath -m -- "${2:-$repo/data/screenshots/main-window.png}")

# shellcheck source=SCRIPTDIR/../../tests/e2e/lib.sh
source "$repo/tests/e2e/lib.sh"
kav_init "$program"
kav_start

# "&Snabbstart" unlocks the colour buttons; "Välj färg.." opens the dialog,
# where Alt+H selects the HTML field and #ff8000 and Return choose orange.
kav_click 8280 1320 1095 315
kav_wait_colour "start conditions given" "$(kav_centre 7440 1560 168 195)" "$KAV_GREEN" 5 ||
    kav_die "Snabbstart did not unlock the colour buttons"
kav_click 2040 0 2535 1335
dialog=$(kav_wait_other_window 10) || kav_die "no colour dialog appeared"
kav_keys_to "$dialog" alt+h
xdotool type --delay 20 '#ff8000' || kav_die "xdotool type failed"
xdotool key Return || kav_die "xdotool key Return failed"
kav_wait_no_other_window 10 || kav_die "the colour dialog did not close"

# The piston runs out and lights the colour-code-ready lamp: the code is shown.
kav_wait_colour "code shown" "$(kav_centre 1800 2670 168 210)" "$KAV_GREEN" 5 ||
    kav_die "the chosen colour's code was not shown"

mkdir -p -- "$(dirname -- "$out")"
import -window "$KAV_WIN" png:- 2>>"$KAV_TMP/import.log" | convert png:- -strip "$out" ||
    kav_die "could not take the screenshot: $(tail -n 3 "$KAV_TMP/import.log")"
kav_log "wrote $out ($(identify -format '%wx%h' "$out") pixels)"
