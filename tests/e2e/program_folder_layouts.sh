#!/usr/bin/env bash
# shellcheck disable=SC2317  # cleanup is called from the exit trap
# Where the real program writes its logbook, laid out as a build or unpacked
# folder, as a ~/.local install and as a /usr install, run by root and by a
# normal user (made for the test, removed afterwards), with HOME unset and
# with XDG_DATA_HOME naming a file. Each start runs on the offscreen platform
# until its welcome save has written the one logbook it writes, or, without a
# usable folder, for a while without writing any.
# Usage: program_folder_layouts.sh <kavrilon> <source folder>
set -u -o pipefail

program=${1:?usage: program_folder_layouts.sh <kavrilon> <source folder>}
source_dir=${2:?usage: program_folder_layouts.sh <kavrilon> <source folder>}
desktop=$source_dir/data/io.github.kavrilon.Kavrilon.desktop
[[ -x $program && -f $desktop ]] || { echo "FAIL: no program at $program or no $desktop"; exit 1; }

T=$(mktemp -d "${TMPDIR:-/tmp}/kav-layouts.XXXXXX") || exit 1
chmod 755 "$T"
user=
pid=
cleanup() {
    [[ -n $pid ]] && kill -KILL "$pid" 2>/dev/null
    [[ -n $user ]] && userdel "$user" 2>/dev/null
    rm -rf -- "$T"
}
trap cleanup EXIT
failed=0

# A normal user whose password-database home lies in the temporary folder.
if ((EUID == 0)); then
    user=kavt$$pf
    useradd --system --no-create-home --home-dir "$T/uhome" --shell /usr/sbin/nologin "$user" ||
        { echo "FAIL: cannot create a user"; exit 1; }
    mkdir -p "$T/uhome"
    chown "$user:" "$T/uhome"
fi

# Lays the program out: "unpacked" (a folder of its own), "local" (a
# ~/.local install of the given home) or "usr" (a /usr install).
lay_out() { # layout owner home
    local bin
    case $1 in
    unpacked) bin=$T/unpacked ;;
    local) bin=$3/.local/bin ;;
    usr) bin=$T/usr/bin ;;
    esac
    mkdir -p "$bin"
    cp -- "$program" "$bin/kavrilon"
    if [[ $1 != unpacked ]]; then
        mkdir -p "$bin/../share/applications"
        cp -- "$desktop" "$bin/../share/applications/"
    fi
    # The user's own folders are the user's.
    case $1 in
    unpacked) chown -R "$2:" "$bin" ;;
    local) chown -R "$2:" "$3" ;;
    esac
    printf '%s' "$bin/kavrilon"
}

# Runs one start: as root or as the user, with the given environment; waits
# for the expected logbook (or, when none is expected, 2 s), then ends it with
# SIGTERM. Then checks that the only logbook under the temporary folder is
# the expected one.
check() { # what who layout expected-logbook (relative to $T, "" none) NAME=value...
    local what=$1 who=$2 layout=$3 want=$4 home owner exe runtime found i
    shift 4
    if [[ $who == user ]]; then home=$T/uhome owner=$user; else home=$T/rhome owner=root; fi
    mkdir -p "$home" && chown "$owner:" "$home"
    exe=$(lay_out "$layout" "$owner" "$home")
    runtime=$(mktemp -d "$T/runtime.XXXXXX") && chown "$owner:" "$runtime" && chmod 700 "$runtime"
    local -a run=(env -i "PATH=$PATH" QT_QPA_PLATFORM=offscreen "XDG_RUNTIME_DIR=$runtime" LC_ALL=C.UTF-8)
    [[ $who == user ]] && run=(setpriv --reuid "$user" --regid "$user" --clear-groups "${run[@]}")
    (cd "$T/launch" && exec "${run[@]}" "$@" "$exe") >"$T/run.log" 2>&1 &
    pid=$!
    local tries=40
    [[ -n $want ]] && tries=200
    for ((i = 0; i < tries; i++)); do
        [[ -n $want && -s $T/$want ]] && break
        sleep 0.05
    done
    sleep 0.2
    if kill -0 "$pid" 2>/dev/null; then
        kill -TERM "$pid"
        wait "$pid" || { echo "FAIL - $what: the program did not end with status 0 on SIGTERM"; failed=1; }
    else
        echo "FAIL - $what: the program ended by itself"
        sed 's/^/#   /' "$T/run.log"
        failed=1
    fi
    pid=
    found=$(cd "$T" && find . -name kavrilon.ini ! -path ./launch/kavrilon.ini | sed 's|^\./||' | tr '\n' ' ')
    if ! cmp -s "$T/launch/kavrilon.ini" "$T/stranger.ini"; then
        echo "FAIL - $what: the kavrilon.ini of the launch folder was touched"
        failed=1
    fi
    if [[ $found == "${want:+$want }" ]]; then
        echo "ok   - $what: logbook ${want:-nowhere}"
    else
        echo "FAIL - $what: logbooks at \"$found\", expected at \"$want\""
        failed=1
    fi
    # Nobody else's run leaves anything in the user's home.
    if [[ -n $user && -n $(find "$T/uhome" -mindepth 1 ! -user "$user" -print -quit) ]]; then
        echo "FAIL - $what: the user's home holds what is not the user's:"
        find "$T/uhome" -mindepth 1 ! -user "$user" | sed 's/^/#   /'
        failed=1
    fi
    find "$T" -mindepth 1 -maxdepth 1 ! -name uhome ! -name launch ! -name stranger.ini -exec rm -rf {} +
    [[ -n ${KEEP_HOME:-} ]] || find "$T/uhome" -mindepth 1 -delete
}

# Every start is made from a folder holding someone else's kavrilon.ini,
# which must stay as it is.
mkdir -p "$T/launch"
chmod 777 "$T/launch"
printf 'not the program\r\n' >"$T/stranger.ini"
cp "$T/stranger.ini" "$T/launch/kavrilon.ini"
whos=(user)
((EUID == 0)) && whos=(root user)
for who in "${whos[@]}"; do
    h=rhome
    [[ $who == user ]] && h=uhome
    check "unpacked folder, $who" "$who" unpacked unpacked/kavrilon.ini "HOME=$T/$h"
    check "a .local install in the home folder, $who" "$who" local "$h/.local/share/kavrilon/kavrilon.ini" "HOME=$T/$h"
    check "/usr install, $who, XDG_DATA_HOME set" "$who" usr "$h/data/kavrilon/kavrilon.ini" "HOME=$T/$h" \
        "XDG_DATA_HOME=$T/$h/data"
    touch "$T/xdg-file"
    check "/usr install, $who, XDG_DATA_HOME a file" "$who" usr "" "HOME=$T/$h" "XDG_DATA_HOME=$T/xdg-file"
done
# Root with the user's HOME (sudo -E), before the user ever started it: no
# ~/.local yet. Root makes nothing there, and the user's own start after it
# keeps its logbook where it belongs.
if [[ -n $user ]]; then
    KEEP_HOME=1 check "/usr install, root with the user's HOME, ~/.local missing" root usr "" "HOME=$T/uhome"
    check "/usr install, the user's own start after that" user usr "uhome/.local/share/kavrilon/kavrilon.ini" \
        "HOME=$T/uhome"
fi
# An unpacked folder whose path is longer than the system takes in one piece
# (PATH_MAX, 4096 bytes): the program cannot tell where it lies, keeps no
# logbook, and says so.
long=$T/long
mkdir "$long"
(
    cd "$long" || exit 1
    for ((i = 0; i < 24; i++)); do
        mkdir "$(printf 'd%.0s' {1..200})" && cd "$(printf 'd%.0s' {1..200})" || exit 1
    done
    cp -- "$program" ./kavrilon
    exec env -i "PATH=$PATH" QT_QPA_PLATFORM=offscreen "HOME=$T/rhome" LC_ALL=C.UTF-8 ./kavrilon
) >"$T/run.log" 2>&1 &
pid=$!
for ((i = 0; i < 100; i++)); do
    grep -q 'Loggboken sparas inte' "$T/run.log" && break
    sleep 0.05
done
kill -TERM "$pid" 2>/dev/null
wait "$pid"
pid=
if grep -q 'Loggboken sparas inte: programmet har ingen mapp' "$T/run.log"; then
    echo "ok   - a program folder past PATH_MAX: the user is told that no logbook is kept"
else
    echo "FAIL - a program folder past PATH_MAX: nothing told"
    sed 's/^/#   /' "$T/run.log"
    failed=1
fi
if [[ -z $(find "$T" -name kavrilon.ini ! -path "$T/launch/*" -print -quit) ]]; then
    echo "ok   - a program folder past PATH_MAX: no logbook anywhere"
else
    echo "FAIL - a program folder past PATH_MAX: a logbook was written"
    failed=1
fi
rm -rf -- "$long"

# HOME unset: the password database's home, which for root is outside the
# temporary folder, so only the made user starts that way.
[[ -n $user ]] && check "/usr install, user, HOME unset" user usr "uhome/.local/share/kavrilon/kavrilon.ini"

exit "$failed"
