# shellcheck shell=bash
# Helpers shared by the end-to-end scripts. Each script sources this file,
# calls kav_init with the path of the built program, and then drives a copy of
# it in a throw-away program folder on a private Xvfb, managed by openbox as a
# user's desktop would be: keys and clicks through
# xdotool, screenshots read pixel by pixel with ImageMagick, the clipboard
# through xclip and the logbook file byte by byte. Everything a run writes
# stays in one temporary folder, which the exit trap removes together with the
# program and the X server it started.
#
# Positions are given as the design gives them, in twips within the main
# window's client area (15 twips to a pixel, the client area starting below
# the menu bar). Colours are compared as RRGGBB in upper case.

set -u -o pipefail

# shellcheck source=SCRIPTDIR/../support/xvfb.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/../support/xvfb.sh"
# shellcheck source=SCRIPTDIR/profiles.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/profiles.sh"

readonly KAV_TWIPS_PER_PX=15
readonly KAV_CLIENT_W=697   # 10455 twips
readonly KAV_CLIENT_H=220   # 3300 twips

# The 16-colour palette entries the panel uses, as a screenshot shows them.
readonly KAV_GREEN=00FF00   # 10 light green
readonly KAV_RED=FF0000     # 12 light red
readonly KAV_YELLOW=FFFF00  # 14 light yellow
readonly KAV_WHITE=FFFFFF   # 15 bright white
readonly KAV_BLACK=000000

# The journal line before every chosen code, as the logbook holds it
# (Windows-1252: "ä" is E4).
readonly KAV_CONGRATS=$'Vendel Hagmarks loggbok, Special.  Gratulera !!   Din nya f\xe4rg kod blev..  ='

KAV_FAILED=0
KAV_USER=
KAV_TMP=
KAV_PID=
KAV_WM_PID=
KAV_WIN=
KAV_SESSION_PIDS=()

kav_log() { printf '# %s\n' "$*"; }

# A failure after which the scenario cannot go on.
kav_die() {
    printf 'FAIL - %s\n' "$*"
    exit 1
}

# One checked expectation; the scenario goes on after a failed one, so a run
# reports every difference it can see, and kav_finish turns them into the exit
# status.
kav_check() { # description actual expected
    if [[ $2 == "$3" ]]; then
        printf 'ok   - %s\n' "$1"
    else
        printf 'FAIL - %s: got %q, expected %q\n' "$1" "$2" "$3"
        KAV_FAILED=1
    fi
}

kav_pass() { printf 'ok   - %s\n' "$1"; }
kav_fail() {
    printf 'FAIL - %s\n' "$1"
    KAV_FAILED=1
}

kav_check_true() { # description, then a command
    local what=$1
    shift
    if "$@"; then
        printf 'ok   - %s\n' "$what"
    else
        printf 'FAIL - %s\n' "$what"
        KAV_FAILED=1
    fi
}

kav_finish() {
    if ((KAV_FAILED)); then
        kav_log "screenshots and logs: $KAV_TMP (kept when KAV_E2E_KEEP=1)"
        exit 1
    fi
    exit 0
}

# Seconds since the program was started, with milliseconds.
kav_elapsed() {
    local now=${EPOCHREALTIME/./}
    local t0=${KAV_T0/./}
    local ms=$(((now - t0) / 1000))
    printf '%d.%03d' $((ms / 1000)) $((ms % 1000))
}

kav_cleanup() {
    local rc=$? i
    if [[ -n $KAV_PID ]] && kill -0 "$KAV_PID" 2>/dev/null; then
        kill -TERM "$KAV_PID" 2>/dev/null
        kav_wait_gone "$KAV_PID" 5 || kill -KILL "$KAV_PID" 2>/dev/null
        wait "$KAV_PID" 2>/dev/null
    fi
    # A desktop session's services, and what its bus started for the test's
    # own user (the portals): by their process ids.
    for i in "${KAV_SESSION_PIDS[@]}"; do
        kill -TERM "$i" 2>/dev/null
    done
    if [[ -n $KAV_USER && ${#KAV_SESSION_PIDS[@]} -gt 0 ]]; then
        sleep 0.3
        for i in /proc/[0-9]*; do
            [[ $(stat -c %U "$i" 2>/dev/null) == "$KAV_USER" && ${i#/proc/} != "${KAV_WM_PID:-}" ]] &&
                kill -TERM "${i#/proc/}" 2>/dev/null
        done
    fi
    # A created user goes once it owns no process.
    if [[ -n $KAV_USER ]]; then
        for ((i = 0; i < 50; i++)); do
            userdel "$KAV_USER" 2>/dev/null && break
            sleep 0.1
        done
    fi
    if [[ -n $KAV_WM_PID ]] && kill -0 "$KAV_WM_PID" 2>/dev/null; then
        kill -TERM "$KAV_WM_PID" 2>/dev/null
        kav_wait_gone "$KAV_WM_PID" 5 || kill -KILL "$KAV_WM_PID" 2>/dev/null
        wait "$KAV_WM_PID" 2>/dev/null
    fi
    if [[ -n $KAV_XVFB_PID ]] && kill -0 "$KAV_XVFB_PID" 2>/dev/null; then
        kill -TERM "$KAV_XVFB_PID" 2>/dev/null
        kav_wait_gone "$KAV_XVFB_PID" 5 || kill -KILL "$KAV_XVFB_PID" 2>/dev/null
        wait "$KAV_XVFB_PID" 2>/dev/null
    fi
    if [[ -n $KAV_TMP && -d $KAV_TMP ]]; then
        if ((rc != 0)) && [[ -s $KAV_TMP/kavrilon.log ]]; then
            kav_log "program output:"
            sed 's/^/#   /' "$KAV_TMP/kavrilon.log"
        fi
        if ((rc != 0)) && [[ ${KAV_E2E_KEEP:-0} == 1 ]]; then
            kav_log "kept $KAV_TMP"
        else
            rm -rf -- "$KAV_TMP"
        fi
    fi
    exit "$rc"
}

# Runs the command every 50 ms until it succeeds; returns whether it did
# within the given number of seconds.
kav_wait_for() { # seconds command [arguments...]
    local tries=$(($1 * 20))
    shift
    while ((tries-- > 0)); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

# Whether the process is gone or a zombie (a child of ours that has ended but
# not been waited for).
kav_gone() { # pid
    local state
    [[ -e /proc/$1 ]] || return 0
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 0
    [[ $state == Z ]]
}
kav_wait_gone() { kav_wait_for "$2" kav_gone "$1"; } # pid seconds

# Checks the tools, makes the temporary folders, copies the program into its
# own folder there and starts Xvfb with openbox. Exits 77 when Xvfb is not
# installed.
kav_init() { # program
    local program=$1 tool
    if ! command -v Xvfb >/dev/null 2>&1; then
        echo "SKIP: Xvfb is not installed"
        exit 77
    fi
    for tool in xdotool xclip xprop openbox import convert timeout awk cmp od; do
        command -v "$tool" >/dev/null 2>&1 || kav_die "$tool is not installed (TESTING.md lists the packages)"
    done
    [[ -x $program ]] || kav_die "no program at $program"

    KAV_TMP=$(mktemp -d "${TMPDIR:-/tmp}/kav-e2e.XXXXXX") || kav_die "cannot make a temporary folder"
    trap kav_cleanup EXIT
    trap 'exit 143' TERM
    trap 'exit 130' INT
    mkdir -p "$KAV_TMP"/{prog,home,runtime,config,cache,data,shots}
    chmod 700 "$KAV_TMP/runtime"
    cp -- "$program" "$KAV_TMP/prog/kavrilon" || kav_die "cannot copy $program"
    KAV_PROG=$KAV_TMP/prog/kavrilon
    KAV_LOGBOOK=$KAV_TMP/prog/kavrilon.ini

    # Everything the program or Qt could write goes to the temporary folder,
    # and no session service is reachable.
    export HOME=$KAV_TMP/home
    export XDG_RUNTIME_DIR=$KAV_TMP/runtime
    export XDG_CONFIG_HOME=$KAV_TMP/config
    export XDG_CACHE_HOME=$KAV_TMP/cache
    export XDG_DATA_HOME=$KAV_TMP/data
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$KAV_TMP/no-session-bus
    export QT_QPA_PLATFORM=xcb
    export LC_ALL=C.UTF-8
    export NO_AT_BRIDGE=1
    unset SESSION_MANAGER WAYLAND_DISPLAY XDG_SESSION_TYPE QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE XDG_CURRENT_DESKTOP DESKTOP_SESSION
    unset QT_SCALE_FACTOR LANG
    # The desktop profile the scenario runs in (profiles.sh), plain openbox
    # unless one is named.
    kav_profile_env "${KAV_PROFILE:-plain}" || kav_die "no desktop profile ${KAV_PROFILE:-}"
    # Client pixels count design pixels; a scaled desktop has more of them.
    KAV_SCALE=${QT_SCALE_FACTOR:-1}

    if [[ ${KAV_COMPOSITOR:-} == sway ]]; then
        kav_start_sway
    elif [[ ${QT_QPA_PLATFORM} == wayland ]]; then
        kav_start_weston
    else
        kav_start_xvfb
        kav_start_wm
    fi
}

# weston without a screen (its headless backend, drawing in memory so a
# screenshot can be taken) as the Wayland desktop; it has no seat. Its log
# and its socket stay in the temporary folder.
kav_start_weston() {
    local tries=200
    command -v weston >/dev/null 2>&1 || kav_die "weston is not installed (TESTING.md lists the packages)"
    export WAYLAND_DISPLAY=kav-wayland
    weston --backend=headless-backend.so --use-pixman --debug --socket="$WAYLAND_DISPLAY" \
        --width=1280 --height=1024 --idle-time=0 >"$KAV_TMP/weston.log" 2>&1 &
    KAV_WM_PID=$!
    while ((tries-- > 0)); do
        [[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] && return 0
        kill -0 "$KAV_WM_PID" 2>/dev/null || kav_die "weston ended at start: $(cat "$KAV_TMP/weston.log")"
        sleep 0.05
    done
    kav_die "weston made no socket within 10 s"
}

# sway without a screen (wlroots' headless backend, drawn by pixman) as a
# tiling Wayland desktop, run by an ordinary user (made here when run as root)
# with a session bus of its own on which the real xdg-desktop-portal starts
# on demand with its wlr and gtk back-ends (the gtk one gives the Access
# back-end the Screenshot interface needs), PipeWire (which the wlr portal
# needs) and wayvnc on a Unix socket as the seat's pointer and keyboard
# (kav_sway_input). The output is 1280x1024 and its background the known
# colour KAV_SWAY_BG; cursors are transparent, so a pick never reads the
# pointer. KAV_PORTAL=none gives a bus that can start no service: a session
# without a portal.
readonly KAV_SWAY_BG=2A7FD4
kav_start_sway() {
    local tool tries=200 address
    for tool in sway swaymsg swaybg grim slurp wayvnc pipewire dbus-daemon dbus-send python3 setpriv; do
        command -v "$tool" >/dev/null 2>&1 || kav_die "$tool is not installed (TESTING.md lists the packages)"
    done
    [[ -x /usr/libexec/xdg-desktop-portal-wlr ]] || kav_die "xdg-desktop-portal-wlr is not installed"
    KAV_SEAT=$(dirname -- "${BASH_SOURCE[0]}")/sway_seat.py
    python3 "$KAV_SEAT" cursor-theme "$HOME/.icons/kav-clear" || kav_die "no cursor theme"
    cat >"$KAV_TMP/sway.conf" <<CONF
output HEADLESS-1 resolution 1280x1024 position 0 0 bg #$KAV_SWAY_BG solid_color
seat seat0 xcursor_theme kav-clear 24
focus_on_window_activation smart
xwayland disable
CONF
    kav_become_user
    export XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland XCURSOR_THEME=kav-clear XCURSOR_SIZE=24
    kav_as_user env WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        sway -c "$KAV_TMP/sway.conf" >"$KAV_TMP/sway.log" 2>&1 &
    KAV_WM_PID=$!
    tries=600
    while ((tries-- > 0)); do
        WAYLAND_DISPLAY=$(cd "$XDG_RUNTIME_DIR" && ls wayland-? 2>/dev/null | head -n 1)
        SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n 1)
        [[ -n $WAYLAND_DISPLAY && -n $SWAYSOCK ]] && break
        kill -0 "$KAV_WM_PID" 2>/dev/null || kav_die "sway ended at start: $(cat "$KAV_TMP/sway.log")"
        sleep 0.05
    done
    [[ -n $WAYLAND_DISPLAY && -n $SWAYSOCK ]] || kav_die "sway made no sockets within 30 s"
    export WAYLAND_DISPLAY SWAYSOCK

    # The bus gets the session's environment, and passes it to what it starts.
    address=unix:path=$XDG_RUNTIME_DIR/bus
    if [[ ${KAV_PORTAL:-} == none ]]; then
        printf '%s\n' '<busconfig><type>session</type><listen>'"$address"'</listen><auth>EXTERNAL</auth>' \
            '<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/>' \
            '<allow own="*"/></policy>' \
            '</busconfig>' >"$KAV_TMP/bus.conf"
        kav_as_user dbus-daemon --config-file="$KAV_TMP/bus.conf" --nofork >"$KAV_TMP/dbus.log" 2>&1 &
    else
        kav_as_user dbus-daemon --session --address="$address" --nofork >"$KAV_TMP/dbus.log" 2>&1 &
    fi
    KAV_SESSION_PIDS+=($!)
    export DBUS_SESSION_BUS_ADDRESS=$address
    kav_as_user pipewire >"$KAV_TMP/pipewire.log" 2>&1 &
    KAV_SESSION_PIDS+=($!)
    kav_as_user wayvnc -u -k se "$XDG_RUNTIME_DIR/vnc.sock" >"$KAV_TMP/wayvnc.log" 2>&1 &
    KAV_SESSION_PIDS+=($!)
    for ((tries = 600; tries > 0; tries--)); do
        [[ -S $XDG_RUNTIME_DIR/vnc.sock && -S $XDG_RUNTIME_DIR/bus && -S $XDG_RUNTIME_DIR/pipewire-0 ]] && break
        sleep 0.05
    done
    ((tries > 0)) || kav_die "the session's bus, PipeWire or wayvnc did not start: $(cat "$KAV_TMP"/{dbus,pipewire,wayvnc}.log)"
    # The seat's keyboard has no keymap until its first key; slurp (the wlr
    # portal's picker) fails on a keyboard without one.
    kav_sway_input move 640 1000 key shift
    # A desktop starts its portal with the session; here the first call does.
    if [[ ${KAV_PORTAL:-} != none ]]; then
        kav_as_user dbus-send --session --print-reply=literal --reply-timeout=60000 \
            --dest=org.freedesktop.portal.Desktop /org/freedesktop/portal/desktop \
            org.freedesktop.DBus.Properties.Get string:org.freedesktop.portal.Screenshot string:version \
            >"$KAV_TMP/portal-version" 2>&1 ||
            kav_die "the portal did not answer: $(cat "$KAV_TMP/portal-version" "$KAV_TMP/dbus.log")"
    fi
    kav_log "sway on $WAYLAND_DISPLAY, portal: ${KAV_PORTAL:-$(cat "$KAV_TMP/portal-version")}"
}

# Pointer moves, clicks and keys on sway's seat (sway_seat.py input). The
# test's own tools (this, swaymsg, grim) run as the test: root may use the
# user's sockets, and python3 may be one only the test's user can run.
kav_sway_input() { # action...
    python3 "$KAV_SEAT" input "$XDG_RUNTIME_DIR/vnc.sock" "$@" || kav_die "no input through wayvnc: $*"
}

# The title of the window that has sway's focus.
kav_sway_focused() {
    swaymsg -t get_tree | python3 "$KAV_SEAT" focused
}

# "x y width height focused floating" of a window on sway, by its title.
kav_sway_window() { # title
    swaymsg -t get_tree | python3 "$KAV_SEAT" window "$1"
}

# Waits (bounded) for a window with the title; returns whether it came.
kav_sway_has_window() { [[ -n $(kav_sway_window "$1") ]]; } # title
kav_sway_wait_window() { kav_wait_for "$2" kav_sway_has_window "$1"; } # title seconds

# A screenshot of sway's output into KAV_SHOT.
kav_sway_shot() {
    KAV_SHOT_N=$((KAV_SHOT_N + 1))
    KAV_SHOT=$KAV_TMP/shots/$(printf '%03d' "$KAV_SHOT_N").png
    grim "$KAV_SHOT" 2>>"$KAV_TMP/grim.log" || kav_die "grim took no screenshot"
}

readonly KAV_MAIN_TITLE='Kavrilon  V.1.0     Av:  Vendel Hagmark    -   Skarnvik'

# kav_start on sway: starts the program and waits until its main window is
# shown and painted; sets KAV_PID, KAV_T0, KAV_WX, KAV_WY, KAV_WW, KAV_WH (the
# window's content) and the client area's place KAV_CX, KAV_CY.
kav_sway_start() {
    KAV_T0=$EPOCHREALTIME
    "$KAV_PROG" >"$KAV_TMP/kavrilon.log" 2>&1 &
    KAV_PID=$!
    kav_sway_wait_window "$KAV_MAIN_TITLE" 30 || kav_die "no main window on sway within 30 s"
    read -r KAV_WX KAV_WY KAV_WW KAV_WH _ <<<"$(kav_sway_window "$KAV_MAIN_TITLE")"
    kav_log "main window at $KAV_WX,$KAV_WY, ${KAV_WW}x$KAV_WH, $(kav_elapsed) s after start"
    KAV_CX=$KAV_WX
    KAV_CY=$((KAV_WY + KAV_WH - KAV_CLIENT_H * KAV_SCALE))
    kav_wait_colour "first paint (home-position lamp green)" "$(kav_centre 600 2100 168 195)" "$KAV_GREEN" 20 ||
        kav_die "the main window was not painted within 20 s"
}

# Whether a process of that name runs in this test's session (with its
# runtime folder), not in another test's run beside it.
kav_running() { # name
    local d
    for d in /proc/[0-9]*; do
        [[ $(<"$d/comm") == "$1" ]] 2>/dev/null || continue
        tr '\0' '\n' <"$d/environ" 2>/dev/null | grep -qxF "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" && return 0
    done
    return 1
}

# Whether the portal's picker (slurp) runs, within the given seconds.
kav_wait_picker() { kav_wait_for "$1" kav_running slurp; } # seconds

# Run as root, makes a system user without privileges (KAV_USER), gives it
# the program folder and every folder the program may write, and has
# kav_start run the program as that user. Run by anyone else, that user is
# the one running the tests. The user reaches the X server, which has no
# authorisation file, so local clients may connect.
kav_become_user() {
    ((EUID == 0)) || return 0
    local i
    KAV_USER=kavt$$-e2e
    for ((i = 0; i < 50; i++)); do
        useradd --system --no-create-home --user-group --shell /usr/sbin/nologin "$KAV_USER" 2>/dev/null && break
        sleep 0.1
    done
    id "$KAV_USER" >/dev/null 2>&1 || kav_die "could not create the user $KAV_USER"
    chmod 755 "$KAV_TMP"
    chown -R "$KAV_USER:" "$KAV_TMP"/{prog,home,runtime,config,cache,data}
    kav_starter setpriv --reuid="$KAV_USER" --regid="$KAV_USER" --clear-groups --
}

# Runs a command as KAV_USER when there is one, else as is.
kav_as_user() { # command...
    if [[ -n $KAV_USER ]]; then
        setpriv --reuid="$KAV_USER" --regid="$KAV_USER" --clear-groups -- "$@"
    else
        "$@"
    fi
}

# Has kav_start start the program through the given command words, by a
# start script that the program replaces, so KAV_PID stays the program's.
kav_starter() { # command words before the program
    {
        printf '#!/bin/bash\nexec'
        printf ' %q' "$@" "$KAV_TMP/prog/kavrilon"
        printf '\n'
    } >"$KAV_TMP/starter"
    chmod 755 "$KAV_TMP/starter"
    KAV_PROG=$KAV_TMP/starter
}

# Waits (bounded) for the program to end, and checks that it ended with
# status 0.
kav_expect_end() { # what
    if kav_wait_gone "$KAV_PID" 10; then
        wait "$KAV_PID"
        local rc=$?
        KAV_PID=
        kav_check "the program's exit status after $1" "$rc" 0
    else
        kav_die "the program was still running 10 s after $1"
    fi
}

# openbox on the private display, with its own configuration defaults (HOME
# is the temporary one). Returns once it manages the screen: it then names
# itself on the root window (_NET_SUPPORTING_WM_CHECK).
kav_start_wm() {
    local tries=200
    openbox --sm-disable >"$KAV_TMP/openbox.log" 2>&1 &
    KAV_WM_PID=$!
    while ((tries-- > 0)); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        kill -0 "$KAV_WM_PID" 2>/dev/null || kav_die "openbox ended at start: $(cat "$KAV_TMP/openbox.log")"
        sleep 0.05
    done
    kav_die "openbox did not take the screen within 10 s"
}

# Waits (bounded) until the window manager has framed a window: it then
# carries _NET_FRAME_EXTENTS, and its place is final.
kav_managed() { xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='; } # window
kav_wait_managed() { kav_wait_for "$2" kav_managed "$1"; } # window seconds

# The window manager states of a window (_NET_WM_STATE), comma separated.
kav_wm_states() { # window
    xprop -id "$1" _NET_WM_STATE 2>/dev/null | sed -n 's/^_NET_WM_STATE(ATOM) = //p'
}

# The ICCCM state of a window: Normal, Iconic or Withdrawn.
kav_wm_state() { # window
    xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/^[[:space:]]*window state: //p'
}
kav_has_wm_state() { [[ $(kav_wm_state "$1") == "$2" ]]; } # window state

# The private X server (tests/support/xvfb.sh). The root window is plain
# white (-wr), so nothing outside a window can pass for a black line or a grey
# background.
kav_start_xvfb() {
    kav_xvfb_start "$KAV_TMP" -wr || kav_die "$KAV_XVFB_ERROR"
    kav_log "Xvfb on $DISPLAY"
}

# Starts the program from its temporary folder and waits until its main
# window is mapped and painted. Sets KAV_PID, KAV_WIN, KAV_T0, the client
# area's screen position KAV_CX, KAV_CY, and KAV_PAINT_SHOT, the first
# screenshot that shows the painted window, taken KAV_PAINT_AT s after start.
kav_start() {
    KAV_T0=$EPOCHREALTIME
    "$KAV_PROG" >"$KAV_TMP/kavrilon.log" 2>&1 &
    KAV_PID=$!
    KAV_WIN=$(timeout 30 xdotool search --sync --onlyvisible --limit 1 --pid "$KAV_PID" 2>/dev/null | head -n 1)
    [[ -n $KAV_WIN ]] || kav_die "no window of the program was mapped within 30 s"
    kav_log "window $KAV_WIN mapped $(kav_elapsed) s after start"
    kav_wait_managed "$KAV_WIN" 10 || kav_die "openbox did not frame the window within 10 s"
    kav_geometry
    # The menu bar is part of the window; at start the client area below it is
    # 220 pixels high, so the client area begins where the window's lower 220
    # pixels begin. (The start-up scenario checks that against a screenshot.)
    KAV_CX=$KAV_WX
    KAV_CY=$((KAV_WY + KAV_WH - KAV_CLIENT_H * KAV_SCALE))
    # The home-position lamp is green from load until a colour is chosen: once
    # it shows, the window has been painted.
    kav_wait_colour "first paint (home-position lamp green)" "$(kav_centre 600 2100 168 195)" "$KAV_GREEN" 20 ||
        kav_die "the window was not painted within 20 s"
    KAV_PAINT_SHOT=$KAV_SHOT
    KAV_PAINT_AT=$(kav_elapsed)
    kav_log "first paint seen $KAV_PAINT_AT s after start"
}

# Checks that a window, with the frame the window manager gave it, lies on
# the 1280x1024 screen: whole where it fits; where it is larger in either
# direction, with its frame's top left corner in the screen's, so its title
# bar and menu stay in reach.
kav_check_on_screen() { # window what
    local r e x y w h
    read -ra r <<<"$(kav_window_rect "$1")"
    read -ra e <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ,)"
    ((${#r[@]} == 4 && ${#e[@]} == 4)) || kav_die "no geometry or frame for $2"
    x=$((r[0] - e[0])) y=$((r[1] - e[2])) w=$((r[2] + e[0] + e[1])) h=$((r[3] + e[2] + e[3]))
    kav_log "$2 with its frame: ${w}x${h} at $x,$y"
    if ((w <= 1280 && h <= 1024)); then
        kav_check_true "$2 lies on the screen across" test "$x" -ge 0 -a $((x + w)) -le 1280
        kav_check_true "$2 lies on the screen down" test "$y" -ge 0 -a $((y + h)) -le 1024
    else
        # To a logical pixel: a frame of one screen pixel is half of one at scale 2.
        kav_check_true "$2 larger than the screen starts at its left edge (x $x)" test "$x" -ge 0 -a "$x" -lt "$KAV_SCALE"
        kav_check_true "$2 larger than the screen starts at its top edge (y $y)" test "$y" -ge 0 -a "$y" -lt "$KAV_SCALE"
    fi
}

# The main window's position and size: KAV_WX, KAV_WY, KAV_WW, KAV_WH.
kav_geometry() {
    local r
    read -ra r <<<"$(kav_window_rect "$KAV_WIN")"
    ((${#r[@]} == 4)) || kav_die "no geometry for window $KAV_WIN"
    KAV_WX=${r[0]} KAV_WY=${r[1]} KAV_WW=${r[2]} KAV_WH=${r[3]}
}

# Waits (bounded) until the window's height differs from the given one;
# leaves the new geometry in KAV_W*.
kav_height_differs() { kav_geometry && ((KAV_WH != $1)); } # old_height
kav_wait_height_change() { kav_wait_for "$2" kav_height_differs "$1"; } # old_height seconds

# The pixel at the centre of a control given in twips, as "x y" client pixels.
kav_centre() { # left top width height
    printf '%d %d' $((($1 + $3 / 2) * KAV_SCALE / KAV_TWIPS_PER_PX)) $((($2 + $4 / 2) * KAV_SCALE / KAV_TWIPS_PER_PX))
}

# A twips position as "x y" client pixels.
kav_at() { # x y
    printf '%d %d' $(($1 * KAV_SCALE / KAV_TWIPS_PER_PX)) $(($2 * KAV_SCALE / KAV_TWIPS_PER_PX))
}

KAV_SHOT_N=0
KAV_SHOT=
# Takes a screenshot of the whole screen into a new file named in KAV_SHOT.
kav_shot() {
    [[ ${KAV_COMPOSITOR:-} == sway ]] && {
        kav_sway_shot
        return
    }
    KAV_SHOT_N=$((KAV_SHOT_N + 1))
    KAV_SHOT=$KAV_TMP/shots/$(printf '%03d' "$KAV_SHOT_N").png
    import -window root "$KAV_SHOT" 2>>"$KAV_TMP/import.log" ||
        kav_die "import failed: $(tail -n 3 "$KAV_TMP/import.log")"
}

# The colours (RRGGBB) of a screenshot at client pixels, one word each.
kav_pixels() { # file x y [x y ...]
    local f=$1 fmt=
    shift
    while (($# >= 2)); do
        fmt+="%[hex:p{$((KAV_CX + $1)),$((KAV_CY + $2))}] "
        shift 2
    done
    convert "$f" -format "$fmt" info: 2>/dev/null
}

kav_pixel() { # file "x y"
    local xy
    read -ra xy <<<"$2"
    local c
    c=$(kav_pixels "$1" "${xy[0]}" "${xy[1]}")
    printf '%s' "${c%% *}"
}

# The box around the dark ("ink") pixels of a client rectangle of the last
# screenshot, as "width height left top" within that rectangle.
kav_ink_box() { # x y width height
    local g
    g=$(convert "$KAV_SHOT" -crop "${3}x${4}+$((KAV_CX + $1))+$((KAV_CY + $2))" +repage \
        -colorspace gray -threshold 35% -format '%@' info: 2>/dev/null)
    [[ $g =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || kav_die "no ink box in '$g'"
    printf '%s %s %s %s' "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" "${BASH_REMATCH[3]}" "${BASH_REMATCH[4]}"
}

# Whether a fresh screenshot shows dark ink in a box of the client area.
kav_ink_in() { # x y width height
    kav_shot
    local mean
    mean=$(convert "$KAV_SHOT" -crop "${3}x${4}+$((KAV_CX + $1))+$((KAV_CY + $2))" +repage \
        -colorspace gray -threshold 35% -format '%[fx:mean]' info: 2>/dev/null)
    awk -v m="${mean:-1}" 'BEGIN { exit !(m < 1) }'
}

# Waits (bounded) for the end of a copy's time in the clipboard captions: the
# paste hint "CTRL + V" (Label3, 49 x 17 pixels at (344, 136)) shows with the
# copy and goes 1800 ms later. The copy's journal chain saves 300 ms after the
# copy, so once the hint has gone that save has been made (or held, or has
# failed). Returns whether the hint came and went within the given seconds.
kav_wait_copy_over() { # seconds
    local tries=$(($1 * 5)) seen=false
    while ((tries-- > 0)); do
        if kav_ink_in 344 136 49 17; then
            seen=true
        elif $seen; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Checks the colour at a client pixel of a screenshot.
kav_check_pixel() { # description file "x y" colour
    kav_check "$1 at client pixel ($3)" "$(kav_pixel "$2" "$3")" "$4"
}

# Checks many pixels of one screenshot with one read of the file (each read
# takes a fifth of a second, and some checks race the program's timers).
kav_check_pixels() { # file, then triples: description "x y" colour
    local f=$1 i
    shift
    local -a what=() where=() want=() coords=() got=() xy
    while (($# >= 3)); do
        what+=("$1")
        where+=("$2")
        want+=("$3")
        read -ra xy <<<"$2"
        coords+=("${xy[@]}")
        shift 3
    done
    read -ra got <<<"$(kav_pixels "$f" "${coords[@]}")"
    for i in "${!what[@]}"; do
        kav_check "${what[i]} at client pixel (${where[i]})" "${got[i]-}" "${want[i]}"
    done
}

# Takes screenshots until the pixel has the colour (bounded), leaving the last
# one in KAV_SHOT; on time-out says what it saw and returns 1.
kav_wait_colour() { # description "x y" colour seconds
    local deadline=$((EPOCHSECONDS + $4)) seen=
    while :; do
        kav_shot
        seen=$(kav_pixel "$KAV_SHOT" "$2")
        [[ $seen == "$3" ]] && return 0
        ((EPOCHSECONDS >= deadline)) && break
        sleep 0.1
    done
    printf '# %s: still %s at client pixel (%s) after %d s\n' "$1" "$seen" "$2" "$4"
    return 1
}

# Like kav_check_pixel, but waits (bounded) for the colour to appear.
kav_expect_colour() { # description "x y" colour seconds
    if kav_wait_colour "$@"; then kav_pass "$1"; else kav_fail "$1"; fi
}

# Gives a window the keyboard focus. Without a window manager nobody else
# does, and keys would go nowhere.
kav_focus() { # [window]
    timeout 10 xdotool windowfocus --sync "${1:-$KAV_WIN}" || kav_die "could not focus window ${1:-$KAV_WIN}"
}

# Keys to the main window (or the given one), after focusing it.
kav_keys_to() { # window keys...
    local w=$1
    shift
    kav_focus "$w"
    xdotool key "$@" || kav_die "xdotool key $* failed"
}

kav_keys() { kav_keys_to "$KAV_WIN" "$@"; }

# Moves the pointer to a screen pixel and waits until it is there. A move to
# where the pointer already is would wait for ever (no motion comes), so it
# is not made.
kav_pointer_to() { # x y
    local X= Y=
    eval "$(xdotool getmouselocation --shell 2>/dev/null | grep -E '^[XY]=[0-9]+$')"
    [[ $X == "$1" && $Y == "$2" ]] && return 0
    timeout 10 xdotool mousemove --sync "$1" "$2" || kav_die "could not move the pointer"
}

# A left click at the centre of a control of the main window given in twips.
kav_click() { # left top width height
    local xy
    read -ra xy <<<"$(kav_centre "$@")"
    [[ ${KAV_COMPOSITOR:-} == sway ]] && {
        kav_sway_input click $((KAV_CX + xy[0])) $((KAV_CY + xy[1]))
        return
    }
    kav_pointer_to $((KAV_CX + xy[0])) $((KAV_CY + xy[1]))
    xdotool click 1 || kav_die "xdotool click failed"
}

# Visible windows of the program other than the main window, one id a line.
kav_other_windows() {
    xdotool search --onlyvisible --pid "$KAV_PID" 2>/dev/null | grep -vx -- "$KAV_WIN"
}

# Waits (bounded) for another window of the program to be mapped; prints its id.
kav_wait_other_window() { # seconds
    local tries=$(($1 * 10)) w
    while ((tries-- > 0)); do
        w=$(kav_other_windows | head -n 1)
        [[ -n $w ]] && { printf '%s' "$w"; return 0; }
        sleep 0.1
    done
    return 1
}

# Waits (bounded) until the program shows no window besides the main one.
kav_no_other_window() { [[ -z $(kav_other_windows) ]]; }
kav_wait_no_other_window() { kav_wait_for "$1" kav_no_other_window; } # seconds

# True once the logbook file ends with exactly these bytes (bounded wait).
kav_logbook_ends_with() { # expected-bytes-file
    [[ -f $KAV_LOGBOOK ]] && tail -c "$(stat -c %s "$1")" "$KAV_LOGBOOK" | cmp -s - "$1"
}
kav_wait_logbook_tail() { kav_wait_for "$2" kav_logbook_ends_with "$1"; } # expected-bytes-file seconds

# Waits until the start sequence's last step, 10 s after start, is behind the
# program, and with it that step's journal line. The step gives the running
# look, so the status light (Shape12) turns green: that is the program's own
# marker. After a quick start (say "quick") the light is green already, so
# "Pausa" turns it red first and the step turns it green again; the pause
# must come before the step, or the light stays red and the wait fails.
kav_wait_start_sequence_over() { # [quick]
    local light
    light=$(kav_centre 7800 1560 495 495)
    if [[ ${1:-} == quick ]]; then
        kav_wait_colour "status light green after the quick start" "$light" "$KAV_GREEN" 10 ||
            kav_die "the quick start did not turn the status light green"
        kav_click 8280 2280 855 315 # "Pausa" (Command14)
        kav_wait_colour "status light red after Pausa" "$light" "$KAV_RED" 10 ||
            kav_die "Pausa did not turn the status light red"
        kav_log "paused $(kav_elapsed) s after start"
    fi
    kav_wait_colour "status light green at the 10 s step" "$light" "$KAV_GREEN" 30 ||
        kav_die "the start sequence did not reach its 10 s step (a pause after it keeps the light red)"
    kav_log "the 10 s step seen $(kav_elapsed) s after start"
}

# Whether the logbook file holds both journal lines (Windows-1252 texts), the
# first before the second: the order in which their handlers ran.
kav_logbook_order() { # first second
    local a b
    a=$(LC_ALL=C grep -a -n -F -m 1 -- "$1" "$KAV_LOGBOOK" | cut -d: -f1)
    b=$(LC_ALL=C grep -a -n -F -m 1 -- "$2" "$KAV_LOGBOOK" | cut -d: -f1)
    [[ -n $a && -n $b ]] && ((a < b))
}

# The start sequence's journal line at 10 s, the quick start's, and a copy's.
KAV_LINE_START_CONDITIONS=$(printf 'Startvillkor angivits fr\xe5n = PLC  - burkar')
KAV_LINE_QUICK_START='Systemet snabb-startad.'
KAV_LINE_COPY=$(printf 'Anv\xe4ndaren har tryck p\xe5 knappen eller menyn:  Kopiera till Klipp-Minnet')

# The logbook file's bytes as a readable dump, for failure messages.
kav_dump_logbook() {
    if [[ -f $KAV_LOGBOOK ]]; then
        od -c "$KAV_LOGBOOK" | tail -n 12 | sed 's/^/#   /'
    else
        echo "#   (no logbook file)"
    fi
}

# Like kav_start, but the program runs in the given working folder (where the
# logbook file commands look for the bare name "kavrilon.ini") and with the
# given variables in its own environment only; the script keeps its own PATH.
# A small start script sets them and replaces itself with the program, so
# KAV_PID is the program's process.
kav_start_with() { # folder [NAME=value ...]
    local starter=$KAV_TMP/start-kavrilon prog=$KAV_PROG a
    {
        printf '#!/bin/bash\n'
        printf 'cd -- %q || exit 126\n' "$1"
        shift
        for a in "$@"; do printf 'export %q\n' "$a"; done
        printf 'exec %q\n' "$KAV_PROG"
    } >"$starter" || kav_die "cannot write $starter"
    chmod +x "$starter"
    KAV_PROG=$starter
    kav_start
    KAV_PROG=$prog
}

# Fake programs in KAV_FAKE_BIN that stand in for real ones: each call writes
# the name it was called by and its arguments, one a line, into a file of its
# own in KAV_CALLS, and does nothing else. Give the program a PATH of
# KAV_FAKE_BIN alone, so no real program can be reached.
kav_fake_programs() { # name...
    local name mv
    mv=$(command -v mv) || kav_die "mv is not installed"
    KAV_FAKE_BIN=$KAV_TMP/fake-bin
    KAV_CALLS=$KAV_TMP/calls
    mkdir -p "$KAV_FAKE_BIN" "$KAV_CALLS"
    for name in "$@"; do
        {
            printf '#!/bin/bash\n'
            printf '# Stands in for %s: records how it was called.\n' "$name"
            printf 'rec=%q/%q.$$\n' "$KAV_CALLS" "$name"
            # shellcheck disable=SC2016  # expanded when the fake runs
            printf 'printf "%%s\\n" "${0##*/}" "$@" >"$rec.part" && exec %q -- "$rec.part" "$rec"\n' "$mv"
        } >"$KAV_FAKE_BIN/$name"
        chmod +x "$KAV_FAKE_BIN/$name"
    done
}

# The recorded calls of the fake programs, one file name a line, oldest first.
kav_calls() {
    local f
    # shellcheck disable=SC2012  # the names are our own: program.pid
    ls -1tr "$KAV_CALLS" 2>/dev/null | while read -r f; do
        [[ $f == *.part ]] || printf '%s\n' "$f"
    done
}

# Waits (bounded) until the fake programs have recorded at least n calls, as
# kav_calls lists them or as another lister given (a filter of them).
kav_has_calls() { (($("${2:-kav_calls}" | wc -l) >= $1)); } # n [lister]
kav_wait_calls() { kav_wait_for "$2" kav_has_calls "$1" "${3:-}"; } # n seconds [lister]

# Visible windows of the program (the main one included) whose title is
# exactly the given text, one id a line.
kav_windows_titled() { # title
    local w
    for w in $(xdotool search --onlyvisible --pid "$KAV_PID" 2>/dev/null); do
        [[ $(xdotool getwindowname "$w" 2>/dev/null) == "$1" ]] && printf '%s\n' "$w"
    done
}

# Waits (bounded) for a window with exactly this title; prints its id.
kav_wait_window_titled() { # title seconds
    local tries=$(($2 * 10)) w
    while ((tries-- > 0)); do
        w=$(kav_windows_titled "$1" | head -n 1)
        [[ -n $w ]] && { printf '%s' "$w"; return 0; }
        sleep 0.1
    done
    return 1
}

# Waits (bounded) until no window with this title is visible.
kav_no_window_titled() { [[ -z $(kav_windows_titled "$1") ]]; } # title
kav_wait_no_window_titled() { kav_wait_for "$2" kav_no_window_titled "$1"; } # title seconds

# A window's position on the screen and size as "x y width height", without
# the frame the window manager puts around it. (xwininfo, since xdotool adds
# the frame's offset twice for a window a window manager has framed.)
kav_window_rect() { # window
    local out k v X='' Y='' W='' H=''
    out=$(xwininfo -id "$1" 2>/dev/null) || return 1
    while IFS=':' read -r k v; do
        case ${k#"${k%%[![:space:]]*}"} in
        "Absolute upper-left X") X=${v// /} ;;
        "Absolute upper-left Y") Y=${v// /} ;;
        Width) W=${v// /} ;;
        Height) H=${v// /} ;;
        esac
    done <<<"$out"
    [[ -n $X && -n $Y && -n $W && -n $H ]] || return 1
    printf '%s %s %s %s' "$X" "$Y" "$W" "$H"
}

# A left click at a pixel of any window, relative to the top left corner of
# its client area (inside the window manager's frame).
kav_click_window() { # window x y
    local r
    read -ra r <<<"$(kav_window_rect "$1")" || kav_die "no geometry for window $1"
    kav_pointer_to $((r[0] + $2)) $((r[1] + $3))
    xdotool click 1 || kav_die "xdotool click failed"
}

# A click with the given mouse button at a client pixel of the main window.
kav_click_at() { # button x y
    kav_pointer_to $((KAV_CX + $2)) $((KAV_CY + $3))
    xdotool click "$1" || kav_die "xdotool click failed"
}

# The logbook a first start writes: the empty line of Form_Load, the empty line
# the missing file loads as, and the welcome line, saved by the welcome chain
# about 300 ms after start. Writes it to $KAV_TMP/expected-welcome and waits up
# to 5 s for the logbook to hold exactly that; returns whether it did.
kav_wait_welcome_saved() {
    printf '\r\n\r\nV\xe4lkommen till Vendel Hagmarks loggbok  i Skarnvik\r\n' >"$KAV_TMP/expected-welcome"
    local i
    for ((i = 0; i < 100; i++)); do
        cmp -s "$KAV_LOGBOOK" "$KAV_TMP/expected-welcome" && return 0
        sleep 0.05
    done
    return 1
}

# Pastes the clipboard with xclip into $KAV_TMP/clipboard until it holds the
# expected text (also written to $KAV_TMP/expected-clipboard) or 50 tries
# have passed. Read while the program runs: on X11 the text lives in its owner.
kav_wait_clipboard() { # expected text
    printf '%s' "$1" >"$KAV_TMP/expected-clipboard"
    : >"$KAV_TMP/clipboard"
    local i
    for ((i = 0; i < 50; i++)); do
        if timeout 10 xclip -o -selection clipboard >"$KAV_TMP/clipboard" 2>/dev/null &&
            cmp -s "$KAV_TMP/clipboard" "$KAV_TMP/expected-clipboard"; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}
