#!/usr/bin/env bash
# Without a display the real program ends at once with exit code 1 and one
# Swedish line on standard error: no Qt abort, no core dump. Once with
# DISPLAY unset and once with a DISPLAY no X server answers on.
# Usage: no_display.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
program=$1
[[ -x $program ]] || kav_die "no program at $program"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/kav-nodisplay.XXXXXX") || kav_die "cannot make a temporary folder"
trap 'rm -rf -- "$tmp"' EXIT
mkdir -m 700 "$tmp/runtime"
readonly message='kavrilon: ingen skärm att visa fönstret på (DISPLAY är inte satt eller går inte att nå)'

for display in unset :4711; do
    # A core dump would land in the working folder.
    (
        cd "$tmp" || exit 126
        ulimit -c unlimited
        vars=(-u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u DISPLAY HOME="$tmp" XDG_RUNTIME_DIR="$tmp/runtime")
        [[ $display == unset ]] || vars+=(DISPLAY="$display")
        exec timeout 20 env "${vars[@]}" "$program" >"$tmp/out" 2>"$tmp/err"
    )
    rc=$?
    kav_check "exit code with DISPLAY $display" "$rc" 1
    kav_check "standard error with DISPLAY $display" "$(cat "$tmp/err")" "$message"
    kav_check "standard output with DISPLAY $display" "$(cat "$tmp/out")" ""
    kav_check "core files with DISPLAY $display" "$(find "$tmp" -maxdepth 1 -name 'core*' | wc -l)" 0
done
kav_finish
