#!/usr/bin/env bash
# The real program on a Wayland desktop without a seat (weston's headless
# backend: no keyboard, no clipboard): it starts, paints its window (the
# green and yellow lamps are on the compositor's screen), its welcome chain
# saves the logbook, and SIGTERM ends it with the start sequence's unsaved
# line of 4 s (and of 10 s, if it came first) saved after the welcome line.
# Usage: wayland_session.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
[[ -n ${WAYLAND_DISPLAY:-} ]] || kav_die "no Wayland desktop (run in the wayland profile)"
command -v weston-screenshooter >/dev/null 2>&1 || kav_die "weston-screenshooter is not installed"

KAV_T0=$EPOCHREALTIME
"$KAV_PROG" >"$KAV_TMP/kavrilon.log" 2>&1 &
KAV_PID=$!

if kav_wait_welcome_saved; then
    kav_pass "the program started and its welcome chain saved the logbook"
else
    kav_fail "the program started and its welcome chain saved the logbook"
    kav_dump_logbook
fi

# Counts the pure green and pure yellow pixels of the compositor's screen
# into `green` and `yellow` (both empty when no screenshot could be taken).
lamp_pixels() {
    local shot
    green= yellow=
    rm -f "$KAV_TMP"/shots/wayland-screenshot-*.png
    (cd "$KAV_TMP/shots" && weston-screenshooter >/dev/null 2>&1)
    shot=$(ls "$KAV_TMP"/shots/wayland-screenshot-*.png 2>/dev/null | head -n 1)
    [[ -n $shot ]] || return 0
    read -r green yellow <<<"$(for c in '#00FF00' '#FFFF00'; do
            convert "$shot" -fill black +opaque "$c" -fill white -opaque "$c" -format '%[fx:mean*w*h] ' info:
        done)"
}

# The compositor's screen, until it shows the panel's lamps in their colours
# (the home-position lamp green, the other lamps yellow).
# Takes screenshots until the awk condition on $g (green) and $y (yellow
# pixels) holds, at most `tries` times; returns whether it did.
wait_lamps() { # tries condition
    local i
    for ((i = 0; i < $1; i++)); do
        lamp_pixels
        awk -v g="${green:-0}" -v y="${yellow:-0}" -v s="${start_yellow:-0}" "BEGIN { exit !($2) }" && return 0
        sleep 0.25
    done
    return 1
}

painted=false
wait_lamps 40 'g >= 50 && y >= 300' && painted=true
kav_log "lamp pixels on the screen: green ${green:-none}, yellow ${yellow:-none}"
if $painted; then kav_pass "the window was painted"; else kav_fail "the window was painted"; fi

# The 4 s step turns the PLC contact lamp (11 x 13 pixels) from yellow to
# green and writes its journal line, which no chain saves; SIGTERM then
# saves it. Yellow pixels are counted:
# the production-start lamp blinks green, but no yellow lamp changes before.
start_yellow=${yellow:-0}
plc=false
wait_lamps 60 'y > 0 && y <= s - 80' && plc=true
$plc || kav_fail "the PLC contact lamp turned green"
kill -TERM "$KAV_PID"
if kav_wait_gone "$KAV_PID" 10; then
    wait "$KAV_PID"
    kav_check "exit status after SIGTERM" "$?" 0
    KAV_PID=
else
    kav_die "the program was still running 10 s after SIGTERM"
fi
# On a loaded machine the signal may come after the 10 s step: its line is
# then unsaved too, and saved after the other.
{ cat "$KAV_TMP/expected-welcome"; printf 'PLC  - burkar = kommunikation uppr\xe4ttad.\r\n'; } >"$KAV_TMP/expected-term"
{ cat "$KAV_TMP/expected-term"; printf '%s\r\n' "$KAV_LINE_START_CONDITIONS"; } >"$KAV_TMP/expected-term-late"
if cmp -s "$KAV_LOGBOOK" "$KAV_TMP/expected-term" || cmp -s "$KAV_LOGBOOK" "$KAV_TMP/expected-term-late"; then
    kav_pass "SIGTERM saved the unsaved lines of the start sequence"
else
    kav_fail "SIGTERM saved the unsaved lines of the start sequence"
    kav_dump_logbook
fi

kav_finish
