#!/usr/bin/env bash
# shellcheck disable=SC2317  # helpers are called from the exit trap and by name
# Another user on the machine cannot stop, misdirect or feed the program. Two
# users are created: the owner of a program folder of mode 0755, and another
# user who can read it and /tmp.
#   - the other user keeps trying to open the lock file and hold its flock(),
#     which would keep a killed copy's lock from being cleared: the lock file
#     is the owner's alone, with mode 0600;
#   - the owner's first copy stopped with SIGSTOP: a second start ends without
#     a window, with a status other than 0 and a line on standard error; the
#     copy is then killed, and the owner's next start runs;
#   - without a runtime folder, the other user holds the private folder's
#     name in /tmp and listens at the socket names a start could aim at
#     there: the owner's copies meet in a second private folder, so the
#     second start brings the first to the front (status 0) and sends the
#     other user's sockets nothing;
#   - root started in the owner's folder leaves no lock file there;
#   - the other user plants a page where F11 would look for the installed
#     one: F11 opens the page built into the program instead.
# Needs root to create the users (CI runs as root).
# Usage: other_users.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
if ((EUID != 0)); then
    echo "SKIP: creating the two users needs root"
    exit 77
fi
# The system's python3, which the created users may run.
py=/usr/bin/python3
[[ -x $py ]] || kav_die "python3 is not installed (TESTING.md lists the packages)"
kav_init "$1"
OWNER=kavno$$
OTHER=kavnx$$
HOSTILE=()   # the other user's processes
ATTACK_DIR=

users_cleanup() {
    local rc=$? pid i u
    for pid in "${HOSTILE[@]}"; do kill -KILL "$pid" 2>/dev/null; done
    for pid in "${HOSTILE[@]}"; do wait "$pid" 2>/dev/null; done
    if [[ -n $KAV_PID ]]; then
        kill -CONT "$KAV_PID" 2>/dev/null
        kill -KILL "$KAV_PID" 2>/dev/null
        wait "$KAV_PID" 2>/dev/null
        KAV_PID=
    fi
    [[ -n $ATTACK_DIR ]] && rm -rf -- "$ATTACK_DIR" "$ATTACK_DIR".[0-9]* "$ATTACK_DIR"-*.socket "/tmp/runtime-$OWNER"
    for u in "$OWNER" "$OTHER"; do
        id "$u" >/dev/null 2>&1 || continue
        for ((i = 0; i < 50; i++)); do
            userdel "$u" 2>/dev/null && break
            sleep 0.1
        done
    done
    (exit "$rc")
    kav_cleanup
}
trap users_cleanup EXIT

for u in "$OWNER" "$OTHER"; do
    for ((i = 0; i < 50; i++)); do
        useradd --system --no-create-home --user-group --shell /usr/sbin/nologin "$u" 2>/dev/null && break
        sleep 0.1
    done
    id "$u" >/dev/null 2>&1 || kav_die "could not create the user $u"
done
owner_uid=$(id -u "$OWNER")
ATTACK_DIR=/tmp/kavrilon-$owner_uid

# The owner's world: the program folder (0755, as a home folder is), home and
# runtime folder; the other user's: a home and runtime folder of their own.
chmod 755 "$KAV_TMP"
chown -R "$OWNER:" "$KAV_TMP"/{prog,home,runtime,config,cache,data}
chmod 755 "$KAV_TMP/prog"
mkdir -m 700 "$KAV_TMP/xhome"
chown "$OTHER:" "$KAV_TMP/xhome"
lock=$KAV_TMP/prog/.kavrilon.ini.lock

as() { # user command...
    local u=$1
    shift
    setpriv --reuid="$u" --regid="$u" --clear-groups -- "$@"
}

# kav_start for the owner: a start script that becomes the program, run as
# the owner with the given variables (NAME=value, or -NAME to unset one).
owner_start() { # program [variables...]
    local prog=$1 a
    shift
    {
        printf '#!/bin/bash\n'
        for a in "$@"; do
            if [[ $a == -* ]]; then printf 'unset %q\n' "${a#-}"; else printf 'export %q\n' "$a"; fi
        done
        printf 'exec %q --reuid=%q --regid=%q --clear-groups -- %q\n' "$(command -v setpriv)" "$OWNER" "$OWNER" "$prog"
    } >"$KAV_TMP/owner-start"
    chmod 755 "$KAV_TMP/owner-start"
    local saved=$KAV_PROG
    KAV_PROG=$KAV_TMP/owner-start
    kav_start
    KAV_PROG=$saved
}

# A second start of the owner's, with the same start script, bounded; sets
# second_rc and second_err.
owner_second_start() {
    timeout 20 "$KAV_TMP/owner-start" >"$KAV_TMP/second.out" 2>"$KAV_TMP/second.err"
    second_rc=$?
    second_err=$(cat "$KAV_TMP/second.err")
}

# Waits (bounded) until the logbook holds n welcome lines: the start saved.
wait_welcomes() { # n
    local i
    for ((i = 0; i < 100; i++)); do
        (($(grep -c 'Skarnvik' "$KAV_LOGBOOK" 2>/dev/null) >= $1)) && return 0
        sleep 0.05
    done
    return 1
}

stop_owner_copy() {
    kill -CONT "$KAV_PID" 2>/dev/null
    kill -TERM "$KAV_PID"
    kav_wait_gone "$KAV_PID" 10 || kav_fail "the owner's copy did not end on SIGTERM"
    wait "$KAV_PID" 2>/dev/null
    KAV_PID=
}

# Runs python as the other user in the background; waits for its "ready" file.
hostile() { # ready-file script args...
    local ready=$1 i
    shift
    # setpriv becomes python, so the process started is the one to end.
    setpriv --reuid="$OTHER" --regid="$OTHER" --clear-groups -- "$py" -c "$@" &
    HOSTILE+=($!)
    for ((i = 0; i < 100; i++)); do
        [[ -e $ready ]] && return 0
        sleep 0.05
    done
    kav_die "the other user's program did not get ready"
}

# --- The other user tries, from before the owner's start on, to open the
# lock file and hold its flock().
hostile "$KAV_TMP/xhome/trying" '
import fcntl, sys, time
open(sys.argv[2], "w").close()
f = None
while True:
    try:
        f = f or open(sys.argv[1])
        fcntl.flock(f, fcntl.LOCK_EX | fcntl.LOCK_NB)
        open(sys.argv[3], "w").close()
    except OSError:
        pass
    time.sleep(0.01)' "$lock" "$KAV_TMP/xhome/trying" "$KAV_TMP/xhome/locked"
owner_start "$KAV_PROG" "XDG_RUNTIME_DIR=$KAV_TMP/runtime"
wait_welcomes 1 || kav_fail "the owner's copy did not save its welcome line"
kav_check "the lock file's owner and mode" "$(stat -c '%U %a' "$lock")" "$OWNER 600"
kav_check_true "the other user can no longer open the lock file" \
    test -n "$(as "$OTHER" flock -n "$lock" true 2>/dev/null || echo refused)"
socket=$(find "$KAV_TMP/runtime" -maxdepth 1 -type s -name 'kavrilon-*.socket' -printf '%f\n' | head -n 1)
[[ -n $socket ]] || kav_fail "the owner's copy listens on no socket in its runtime folder"

# --- The owner's first copy stopped.
kill -STOP "$KAV_PID"
owner_second_start
kav_check_true "a start beside a stopped copy ends with a status other than 0 (got $second_rc)" \
    test "$second_rc" -ne 0 -a "$second_rc" -ne 124
kav_check_true "and says why on standard error (got: $second_err)" grep -q 'svarar inte' "$KAV_TMP/second.err"
# Killed, the copy leaves its lock file behind for the next start to clear.
kill -KILL "$KAV_PID"
wait "$KAV_PID" 2>/dev/null
KAV_PID=

# --- The other user's sockets where a start without a runtime folder could
# look: the old name in /tmp, and a folder of the private folder's name.
as "$OTHER" mkdir -m 777 "$ATTACK_DIR"
hostile "$KAV_TMP/xhome/listening" '
import os, select, socket, sys
log, ready, paths = sys.argv[1], sys.argv[2], sys.argv[3:]
socks = []
for p in paths:
    s = socket.socket(socket.AF_UNIX)
    s.bind(p)
    os.chmod(p, 0o777)
    s.listen(8)
    socks.append(s)
open(ready, "w").close()
while True:
    for s in select.select(socks, [], [], 120)[0]:
        c, _ = s.accept()
        with open(log, "a") as f:
            f.write("connected\n")
        c.close()' "$KAV_TMP/xhome/connections" "$KAV_TMP/xhome/listening" \
    "$ATTACK_DIR-${socket#kavrilon-}" "$ATTACK_DIR/$socket"
owner_start "$KAV_PROG" -XDG_RUNTIME_DIR
wait_welcomes 2 || kav_fail "the owner's start after the killed copy, without a runtime folder, did not save"
kav_check_true "the other user never held the lock file" test ! -e "$KAV_TMP/xhome/locked"
owner_second_start
kav_check "a second start beside the other user's folder: its exit status" "$second_rc" 0
kav_check_true "the copies met in a second private folder of the owner's" \
    test -S "$ATTACK_DIR.1/$socket" -a "$(stat -c '%U %a' "$ATTACK_DIR.1" 2>/dev/null)" = "$OWNER 700"
kav_check "connections the other user's sockets took" "$(cat "$KAV_TMP/xhome/connections" 2>/dev/null)" ""
"$py" -c 'import socket, sys; socket.socket(socket.AF_UNIX).connect(sys.argv[1])' "$ATTACK_DIR-${socket#kavrilon-}"
kav_check "connections after the test's own, which shows they listen" \
    "$(cat "$KAV_TMP/xhome/connections" 2>/dev/null)" connected
stop_owner_copy

# --- Root in the owner's folder makes no lock file there (the lock is taken
# before the window shows).
rm -f -- "$lock"
kav_start_with "$KAV_TMP" "XDG_RUNTIME_DIR=$KAV_TMP/runtime"
kav_check_true "root's start made no lock file in the owner's folder" test ! -e "$lock"
stop_owner_copy

# --- A page planted where an unpacked copy looks for its installed page:
# the program lies in x/ of a folder anyone may write (as /tmp is).
pub=$KAV_TMP/pub
mkdir -m 1777 "$pub"
as "$OWNER" mkdir "$pub/x"
as "$OWNER" cp "$KAV_TMP/prog/kavrilon" "$pub/x/kavrilon"
as "$OTHER" mkdir -p "$pub/share/doc/kavrilon"
as "$OTHER" sh -c "echo '<p>planted</p>' >\"\$1\"" - "$pub/share/doc/kavrilon/index.html"
kav_fake_programs xdg-open
chown "$OWNER:" "$KAV_CALLS"
owner_start "$pub/x/kavrilon" "XDG_RUNTIME_DIR=$KAV_TMP/runtime" "PATH=$KAV_FAKE_BIN" \
    "DBUS_SYSTEM_BUS_ADDRESS=unix:path=$KAV_TMP/no-system-bus"
kav_keys F11
kav_wait_calls 1 10 || kav_die "F11 started no program within 10 s"
kav_check "what xdg-open got from F11" "$(tail -n +2 "$KAV_CALLS/$(kav_calls | head -n 1)")" \
    "file://$KAV_TMP/runtime/kavrilon/index.html"

kav_finish
