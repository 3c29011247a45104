#!/usr/bin/env bash
# shellcheck disable=SC2317  # helpers are called indirectly: by name, from a trap, through a wait
# However the program is ended, it ends promptly and its closing save keeps
# the journal line no chain saved (the quick start's): a termination signal
# with a secondary window or a modal dialog open, the X server dying, and its
# main window destroyed by another X client. When the X server dies and the
# closing save is the first to find the logbook unsaveable (something that is
# no file in its place), the program ends without a crash and says why on
# standard error.
# Usage: endings.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
command -v python3 >/dev/null 2>&1 || kav_die "python3 is not installed (TESTING.md lists the packages)"

open_plc() {
    kav_keys alt+p
    kav_wait_other_window 5 >/dev/null || kav_die "Alt+P opened no menu"
    xdotool key Return
    kav_wait_window_titled "PLC - system" 10 >/dev/null || kav_die "no PLC - system window"
}
open_about() { # "Om..." opens the modal About box
    kav_click 2160 2640 975 255
    kav_wait_other_window 10 >/dev/null || kav_die "no About box"
}
open_colour() { # "Välj färg.." opens the modal colour dialog
    kav_click 2040 0 2535 1335
    kav_wait_other_window 10 >/dev/null || kav_die "no colour dialog"
}
open_nothing() { :; }

end_signal() { kill "-$1" "$KAV_PID"; }
end_display() {
    kill -KILL "$KAV_XVFB_PID"
    wait "$KAV_XVFB_PID" 2>/dev/null
    KAV_XVFB_PID=
}
# Another X client destroys the main window, as a window manager may.
end_destroy() {
    python3 - "$KAV_WIN" <<'EOF'
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
d = ctypes.c_void_p(x.XOpenDisplay(None))
x.XDestroyWindow(d, ctypes.c_ulong(int(sys.argv[1])))
x.XSync(d, 0)
EOF
}

# what is open | how it ends | the exit status it ends with | the logbook then
cases=(
    "plc TERM 0 file"
    "about INT 0 file"
    "colour HUP 0 file"
    "nothing display 1 file"
    "plc destroy 0 file"
    "nothing display 1 pipe"
)
for c in "${cases[@]}"; do
    read -r open how status logbook <<<"$c"
    kav_log "--- $open open, ended by $how, the logbook a $logbook"
    rm -f -- "$KAV_LOGBOOK"
    if [[ -z $KAV_XVFB_PID ]]; then
        wait "$KAV_WM_PID" 2>/dev/null # openbox ended with its display
        kav_start_xvfb
        kav_start_wm
    fi
    kav_start
    kav_wait_welcome_saved || kav_die "no welcome save"
    kav_keys alt+s
    kav_wait_colour "quick start" "$(kav_centre 7440 1560 168 195)" "$KAV_GREEN" 5 || kav_die "no quick start"
    "open_$open"
    if [[ $logbook == pipe ]]; then
        rm -f -- "$KAV_LOGBOOK"
        mkfifo -- "$KAV_LOGBOOK"
    fi
    case $how in
    display | destroy) "end_$how" ;;
    *) end_signal "$how" ;;
    esac
    if kav_wait_gone "$KAV_PID" 5; then
        wait "$KAV_PID"
        kav_check "$open open, $how: exit status" "$?" "$status"
    else
        kav_fail "$open open, $how: the program ended within 5 s"
        kill -KILL "$KAV_PID"
    fi
    KAV_PID=
    if [[ $logbook == pipe ]]; then
        kav_check_true "$open open, $how, the logbook a pipe: the reason on standard error" \
            grep -q "Loggboken sparas inte: $KAV_LOGBOOK är ingen vanlig fil" "$KAV_TMP/kavrilon.log"
        continue
    fi
    { cat "$KAV_TMP/expected-welcome"; printf 'Systemet snabb-startad.\r\n'; } >"$KAV_TMP/expected-head"
    kav_check_true "$open open, $how: the closing save kept the quick start's line" \
        cmp -s -n "$(stat -c %s "$KAV_TMP/expected-head")" "$KAV_LOGBOOK" "$KAV_TMP/expected-head"
done

kav_finish
