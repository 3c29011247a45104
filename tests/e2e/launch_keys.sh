#!/usr/bin/env bash
# The launcher's shortcuts in the real program, with the menu closed: F11
# ("&Kavrilon - Programmets Hemsida..") opens the program's own HTML page from
# its folder through xdg-open, and Ctrl+L ("Volymkontroll") starts the GNOME
# desktop's sound settings on a GNOME desktop rather than the mixer that would
# serve any desktop. The program's PATH holds only fake programs that record
# how they were called, so nothing real is ever started.
# Usage: launch_keys.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"

# The page the install puts beside the program, as a build tree has it.
mkdir -p "$KAV_TMP/prog/doc"
cp -- "$(dirname -- "${BASH_SOURCE[0]}")/../../data/doc/index.html" "$KAV_TMP/prog/doc/index.html" ||
    kav_die "cannot copy the program's HTML page"
kav_fake_programs xdg-open gnome-control-center pavucontrol pavucontrol-qt
kav_start_with "$KAV_TMP/prog" "PATH=$KAV_FAKE_BIN" XDG_CURRENT_DESKTOP=GNOME \
    "DBUS_SYSTEM_BUS_ADDRESS=unix:path=$KAV_TMP/no-system-bus"

kav_check "no program started by itself at start" "$(kav_calls | wc -l)" 0

# The argument of the one recorded call of the given fake, as lines.
call_args() { # record-file
    tail -n +2 "$KAV_CALLS/$1"
}

# A file: URL back to its path (percent escapes decoded).
url_path() { # url
    local p=${1#file://}
    printf '%b' "${p//%/\\x}"
}

# F11 with the main window focused and no menu open.
kav_check "windows besides the main one before F11" "$(kav_other_windows | wc -l)" 0
kav_keys F11
if kav_wait_calls 1 10; then
    kav_pass "F11 started a program"
else
    kav_die "F11 started no program within 10 s"
fi
# A second start by F11 would come before Ctrl+L's below, which counts both.
mapfile -t calls < <(kav_calls)
kav_check "programs started by F11" "${#calls[@]}" 1
kav_check "program started by F11" "${calls[0]%.*}" xdg-open
mapfile -t args < <(call_args "${calls[0]}")
kav_check "arguments xdg-open got from F11" "${#args[@]}" 1
kav_check_true "xdg-open got a file: URL (${args[0]-})" test "${args[0]-}" != "${args[0]#file:///}"
kav_check "the page F11 opens" "$(url_path "${args[0]-}")" "$KAV_TMP/prog/doc/index.html"

# Ctrl+L, again with the main window focused and no menu open.
kav_check "windows besides the main one before Ctrl+L" "$(kav_other_windows | wc -l)" 0
kav_keys ctrl+l
if kav_wait_calls 2 10; then
    kav_pass "Ctrl+L started a program"
else
    kav_die "Ctrl+L started no program within 10 s"
fi
# F11 once more: its start comes after any further start of Ctrl+L's, so
# the count once it is there shows whether Ctrl+L started one program.
kav_keys F11
kav_wait_calls 3 10 || kav_die "the second F11 started no program within 10 s"
mapfile -t calls < <(kav_calls)
kav_check "programs started by F11, Ctrl+L and F11 again" "${#calls[@]}" 3
kav_check "program started by the second F11" "${calls[2]%.*}" xdg-open
kav_check "program started by Ctrl+L on a GNOME desktop" "${calls[1]%.*}" gnome-control-center
kav_check "arguments gnome-control-center got from Ctrl+L" "$(call_args "${calls[1]}" | tr '\n' ' ')" "sound "

kav_check_true "the program is still running" kill -0 "$KAV_PID"
kav_check "windows the launches left besides the main one" "$(kav_other_windows | wc -l)" 0

kav_finish
