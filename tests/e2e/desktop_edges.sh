#!/usr/bin/env bash
# The real program on a desktop as users have it, under openbox:
#   minimised    a height step that falls due while the main window is
#                minimised (the left cylinder's delayed return) leaves it
#                minimised (WM_STATE Iconic) and the height as it was;
#   tool-windows the About and PLC windows are tool windows out of the task
#                bar (_NET_WM_STATE_SKIP_TASKBAR), also when shown again;
#   mute-buses   with a system bus and a session bus that take connections and
#                never answer, the window still maps and takes keys;
#   built-in-page  F11 in a program copied without its HTML page opens the
#                copy it carries, written to the user's runtime folder.
# Usage: desktop_edges.sh <kavrilon> <mute_socket> minimised|tool-windows|mute-buses|built-in-page

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
mute_socket=$2
scenario=$3

# Whether a window's _NET_WM_STATE holds the task bar exclusion.
skips_taskbar() { # window
    [[ $(kav_wm_states "$1") == *_NET_WM_STATE_SKIP_TASKBAR* ]]
}

# A window's ICCCM state, waited for (bounded).
wait_wm_state() { kav_wait_for "$3" kav_has_wm_state "$1" "$2"; } # window state seconds

# Whether a window keeps the given ICCCM state at every look for so long.
# shellcheck disable=SC2317  # called through kav_check_true
keeps_wm_state() { # window state seconds
    local tries=$(($3 * 20))
    while ((tries-- > 0)); do
        [[ $(kav_wm_state "$1") == "$2" ]] || return 1
        sleep 0.05
    done
}

case $scenario in
minimised)
    kav_start
    # Man on the left cylinder grows the window at once; its Auto returns the
    # cylinder 1.9 s later (Timer14) with a shrink step. "&Minimera" right
    # after Auto, in the same xdotool run, minimises the window long before
    # that step falls due.
    kav_click 1200 240 615 255
    kav_wait_height_change "$KAV_WH" 5 || kav_die "Man did not grow the window"
    h1=$KAV_WH
    read -ra auto <<<"$(kav_centre 600 240 615 255)"
    read -ra min <<<"$(kav_centre 3120 2640 975 255)"
    xdotool mousemove --sync $((KAV_CX + auto[0])) $((KAV_CY + auto[1])) click 1 \
        mousemove --sync $((KAV_CX + min[0])) $((KAV_CY + min[1])) click 1 || kav_die "xdotool failed"
    wait_wm_state "$KAV_WIN" Iconic 5 || kav_die "the window was not minimised, or was restored at once"
    # Nothing of a minimised window can be seen, so the window is watched for
    # the 3 s in which the step (due 1.9 s after Auto) comes. A step that came
    # later would come after the restore below and shrink the window, which
    # the height check then shows; so a late step fails, it does not slip by.
    kav_check_true "window stays minimised while the height step falls due" keeps_wm_state "$KAV_WIN" Iconic 3
    timeout 10 xdotool windowactivate --sync "$KAV_WIN" 2>/dev/null || kav_die "could not restore the window"
    wait_wm_state "$KAV_WIN" Normal 5 || kav_fail "the window was not restored"
    # The step's own marker: it turned the alarm lamp Text9 from Man's red to
    # yellow. Had it come only now, it would shrink the window, which the
    # height below shows.
    kav_expect_colour "alarm lamp Text9 yellow: the step came while minimised" \
        "$(kav_centre 7440 1920 168 195)" "$KAV_YELLOW" 5
    kav_geometry
    kav_check "height after the skipped step (px)" "$KAV_WH" "$h1"
    ;;
tool-windows)
    kav_start
    kav_check_true "the main window is in the task bar" test -n "$(! skips_taskbar "$KAV_WIN" && echo yes)"
    # "&PLC" -> "PLC - system", then "&About.." (one menu to the left).
    kav_keys alt+p
    kav_wait_other_window 5 >/dev/null || kav_die "Alt+P opened no menu"
    xdotool key Return || kav_die "xdotool key Return failed"
    plc=$(kav_wait_window_titled 'PLC - system' 10) || kav_die "the PLC window did not open"
    kav_keys alt+p
    kav_wait_other_window 5 >/dev/null || kav_die "Alt+P opened no menu"
    xdotool key Left a || kav_die "xdotool key failed"
    about=$(kav_wait_window_titled '::: About..' 10) || kav_die "the About window did not open"
    for w in "$plc" "$about"; do
        kav_wait_managed "$w" 10 || kav_fail "window $w was not framed"
        kav_check_true "$(xdotool getwindowname "$w") is out of the task bar" skips_taskbar "$w"
        kav_check_true "$(xdotool getwindowname "$w") is a utility window" \
            grep -q _NET_WM_WINDOW_TYPE_UTILITY <(xprop -id "$w" _NET_WM_WINDOW_TYPE)
    done
    # The About window's "&Exit" hides it; shown again it is still left out.
    kav_click_window "$about" 476 240
    kav_wait_no_window_titled '::: About..' 10 || kav_die "Exit did not hide the About window"
    kav_keys alt+p
    kav_wait_other_window 5 >/dev/null || kav_die "Alt+P opened no menu"
    xdotool key Left a || kav_die "xdotool key failed"
    about=$(kav_wait_window_titled '::: About..' 10) || kav_die "the About window did not open again"
    kav_wait_managed "$about" 10 || kav_fail "the About window was not framed again"
    kav_check_true "the About window shown again is out of the task bar" skips_taskbar "$about"
    ;;
mute-buses)
    "$mute_socket" "$KAV_TMP/mute-bus" 120 &
    mute_pid=$!
    for ((i = 0; i < 100; i++)); do [[ -S $KAV_TMP/mute-bus ]] && break; sleep 0.05; done
    [[ -S $KAV_TMP/mute-bus ]] || kav_die "the mute bus did not start"
    kav_start_with "$KAV_TMP/prog" "DBUS_SYSTEM_BUS_ADDRESS=unix:path=$KAV_TMP/mute-bus" \
        "DBUS_SESSION_BUS_ADDRESS=unix:path=$KAV_TMP/mute-bus"
    kav_pass "the window mapped and was painted with both buses mute ($KAV_PAINT_AT s)"
    kav_keys alt+s
    kav_expect_colour "the window takes keys: Alt+S turns the start-conditions lamp green" \
        "$(kav_centre 7440 1560 168 195)" "$KAV_GREEN" 5
    kill "$mute_pid" 2>/dev/null
    wait "$mute_pid" 2>/dev/null
    ;;
built-in-page)
    kav_fake_programs xdg-open
    kav_start_with "$KAV_TMP/prog" "PATH=$KAV_FAKE_BIN" "DBUS_SYSTEM_BUS_ADDRESS=unix:path=$KAV_TMP/no-system-bus"
    kav_keys F11
    kav_wait_calls 1 10 || kav_die "F11 started no program within 10 s"
    page=$XDG_RUNTIME_DIR/kavrilon/index.html
    kav_check "what xdg-open got from F11" "$(tail -n +2 "$KAV_CALLS/$(kav_calls | head -n 1)")" "file://$page"
    kav_check_true "the page written is the program's page" \
        cmp -s "$page" "$(dirname -- "${BASH_SOURCE[0]}")/../../data/doc/index.html"
    kav_check "the page's folder is the user's alone" "$(stat -c %a "${page%/*}")" 700
    ;;
*) kav_die "unknown scenario $scenario" ;;
esac
kav_finish
