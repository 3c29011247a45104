#!/usr/bin/env bash
# The command line as a script uses it: --pick shows only the colour dialog,
# prints the chosen colour in the asked form and writes no logbook; it opens
# on the logbook's last colour, only reading it, or on the --color colour; a
# value that is no colour exits 2 before any window; Escape prints nothing
# and exits 1; without a display it exits 3.
# A pick from the screen (the dialog's "Hämta färg från skärmen", and
# --pick-screen) reads the clicked colour on this X11 session, Escape cancels
# it, and a session marked Wayland never grabs X11's screen. --help exits 0
# without mapping a window, with and without a display.
# Usage: pick_command.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"

# Waits for a pick to end; leaves the exit code in PICK_RC and standard
# output in PICK_OUT.
pick_ended() { # pid what
    kav_wait_gone "$1" 10 || kav_die "$2 did not end"
    wait "$1"
    PICK_RC=$?
    PICK_OUT=$(od -An -c "$KAV_TMP/pick.out" | tr -s ' ')
}

# Starts `kavrilon --pick ARGS...`, waits for its dialog, sends the keys and
# leaves the exit code in PICK_RC and standard output in PICK_OUT.
pick_with() { # "keys" args...
    local keys=$1 pid win
    shift
    "$KAV_PROG" --pick "$@" >"$KAV_TMP/pick.out" 2>>"$KAV_TMP/kavrilon.log" &
    pid=$!
    win=$(timeout 30 xdotool search --sync --onlyvisible --limit 1 --pid "$pid" 2>/dev/null | head -n 1)
    [[ -n $win ]] || kav_die "--pick $* mapped no window within 30 s"
    kav_check "--pick $* shows one window, the colour dialog" "$(xdotool search --onlyvisible --pid "$pid" | wc -l)" 1
    kav_focus "$win"
    if [[ $keys == orange ]]; then
        xdotool key alt+h && xdotool type --delay 20 '#ff8000' && xdotool key Return || kav_die "xdotool failed"
    elif [[ $keys == pick-swatch ]]; then
        xdotool key alt+s && sleep 1 && xdotool mousemove "$swatch_x" "$swatch_y" click 1 && sleep 0.3 &&
            kav_focus "$win" && xdotool key Return || kav_die "xdotool failed"
    else
        xdotool key "$keys" || kav_die "xdotool failed"
    fi
    pick_ended "$pid" "--pick $*"
}

expect() { printf '%s\n' "$1" | od -An -c | tr -s ' '; }

pick_with orange
kav_check "--pick prints the code and a newline" "$PICK_OUT" "$(expect FF8000)"
kav_check "--pick exit code after a choice" "$PICK_RC" 0

pick_with orange --format rgb
kav_check "--pick --format rgb prints the rgb() form" "$PICK_OUT" "$(expect 'rgb(255, 128, 0)')"

"$KAV_PROG" --pick --color 'rgb(255 128 0 / 50%)' >"$KAV_TMP/pick.out" 2>"$KAV_TMP/pick.err" &
pid=$!
seen=$(timeout 2 xdotool search --sync --onlyvisible --limit 1 --pid "$pid" 2>/dev/null)
wait "$pid"
kav_check "--pick --color with a translucent colour: exit code" "$?" 2
kav_check "--pick --color with a translucent colour maps no window" "$seen" ""

pick_with Escape
kav_check "--pick cancelled with Escape prints nothing" "$PICK_OUT" ""
kav_check "--pick exit code after a cancel" "$PICK_RC" 1

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$KAV_PROG" --pick >"$KAV_TMP/pick.out" 2>"$KAV_TMP/pick.err"
kav_check "--pick without a display: exit code" "$?" 3
kav_check_true "--pick without a display says why" grep -q DISPLAY "$KAV_TMP/pick.err"

kav_check "--pick wrote no logbook and no other file beside the program" "$(ls -A "$KAV_TMP/prog")" kavrilon

# Without --color the dialog opens on the colour chosen last (not the last new
# one, and past a line that is no code, and past 280 kB of other lines after
# it), reading the logbook and nothing more.
{
    printf '%s\r\n' "$KAV_CONGRATS" 0C0B0A "$KAV_CONGRATS" FF8000 "$KAV_CONGRATS" 0C0B0A "$KAV_CONGRATS" ''
    yes $'Cylinder ner\r' | head -n 20000
} >"$KAV_LOGBOOK"
cp -- "$KAV_LOGBOOK" "$KAV_TMP/logbook-before"
touch -d '2001-01-01 00:00' "$KAV_LOGBOOK"
pick_with Return
kav_check "--pick opens on the logbook's last colour" "$PICK_OUT" "$(expect 0C0B0A)"
pick_with Return --color FF8000
kav_check "--pick --color opens on that colour, not the logbook's" "$PICK_OUT" "$(expect FF8000)"
kav_check_true "--pick left the logbook's bytes alone" cmp -s "$KAV_LOGBOOK" "$KAV_TMP/logbook-before"
kav_check "--pick left the logbook's time alone" "$(stat -c %Y "$KAV_LOGBOOK")" "$(date -d '2001-01-01 00:00' +%s)"
rm -- "$KAV_LOGBOOK"
# A known colour to pick from: the root window's, painted in a corner that
# no window covers.
known=2A7FD4
display -window root -size 1280x1024 "xc:#$known" # (exits 1 after painting)
swatch_x=1200 swatch_y=980

# The dialog's own pick: Alt+S (Qt's Swedish access key), a click on the
# painted corner, then OK.
pick_with "pick-swatch"
kav_check "--pick, Hämta färg från skärmen and a click give the clicked colour's code" "$PICK_OUT" "$(expect "$known")"
# On a session marked Wayland the dialog has no pick button: the same keys
# and click leave the colour it opened on.
XDG_SESSION_TYPE=wayland pick_with "pick-swatch"
kav_check "--pick on a Wayland session without a portal picks nothing from X11's screen" "$PICK_OUT" "$(expect FFFFFF)"

# --pick-screen grabs the pointer with a window of one pixel: once it is
# mapped, the click (or Escape) goes to it.
pick_screen() { # key-or-click args...
    local action=$1 pid
    shift
    "$KAV_PROG" --pick-screen "$@" >"$KAV_TMP/pick.out" 2>>"$KAV_TMP/kavrilon.log" &
    pid=$!
    timeout 30 xdotool search --sync --onlyvisible --limit 1 --pid "$pid" >/dev/null 2>&1 ||
        kav_die "--pick-screen $* mapped no grab window within 30 s"
    # The grab follows the mapping: until the pick ends, the click or key
    # is given again (before the grab it reaches the root window, harmlessly).
    local tries=10
    while ((tries-- > 0)); do
        if [[ $action == click ]]; then
            xdotool mousemove "$swatch_x" "$swatch_y" click 1 || kav_die "xdotool failed"
        else
            xdotool key "$action" || kav_die "xdotool failed"
        fi
        kav_wait_gone "$pid" 1 && break
    done
    pick_ended "$pid" "--pick-screen $* after the $action"
}
pick_screen click
kav_check "--pick-screen prints the clicked colour's code" "$PICK_OUT" "$(expect "$known")"
kav_check "--pick-screen exit code after a pick" "$PICK_RC" 0
pick_screen Escape
kav_check "--pick-screen cancelled with Escape prints nothing" "$PICK_OUT" ""
kav_check "--pick-screen exit code after a cancel" "$PICK_RC" 1

# Marked a Wayland session, the program runs under Xwayland, where X11's
# grab reads black: nothing can pick.
XDG_SESSION_TYPE=wayland timeout 20 "$KAV_PROG" --pick-screen >"$KAV_TMP/pick.out" 2>"$KAV_TMP/pick.err"
kav_check "--pick-screen on a Wayland session without a portal: exit code" "$?" 3
kav_check "--pick-screen on a Wayland session without a portal prints no code" "$(cat "$KAV_TMP/pick.out")" ""
kav_check_true "--pick-screen says why in Swedish" grep -q 'ingen färg kan hämtas' "$KAV_TMP/pick.err"

# --help: no window is mapped, with a display and with none at all.
"$KAV_PROG" --help >"$KAV_TMP/help.out" 2>&1 &
pid=$!
seen=$(timeout 2 xdotool search --sync --onlyvisible --limit 1 --pid "$pid" 2>/dev/null)
wait "$pid"
kav_check "--help exit code" "$?" 0
kav_check "--help maps no window" "$seen" ""
kav_check_true "--help prints the usage" grep -q -- '--pick' "$KAV_TMP/help.out"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$KAV_PROG" --help >/dev/null 2>&1
kav_check "--help exit code without a display" "$?" 0
kav_check "--help wrote no logbook" "$(ls -A "$KAV_TMP/prog")" kavrilon

kav_finish
