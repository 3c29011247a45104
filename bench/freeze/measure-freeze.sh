#!/usr/bin/env bash
# The longest time Kavrilon's window does not answer, on a grown logbook: a
# probe (bench/startup/pingprobe.cpp) sends the window a _NET_WM_PING every
# millisecond and times each answer, so the longest wait is the longest
# freeze a user could have seen.
#
#   bench/freeze/measure-freeze.sh [--logbook SIZE] [--chains N] path/to/kavrilon
#
# SIZE as for bench/startup/make-logbook.sh (1M by default). Three stretches
# are probed, in this order, each on its own:
#   idle     2 s with nobody touching the program (the floor of the probe);
#   chains   N copy chains (Ctrl+C: a journal line at 150 ms, the save of the
#            whole logbook at 300 ms), one a second (5 by default);
#   list     the window made 208 pixels taller, so the logbook list comes
#            into view and paints, then back.
# Goals: at most 10 ms per chain at 1M lines; with a 10 MB line, never over 50 ms.
set -u -o pipefail

logbook=1M
chains=5
while (($#)); do
    case $1 in
    --logbook) logbook=$2; shift 2 ;;
    --chains) chains=$2; shift 2 ;;
    -h | --help) sed -n '2,16p' "$0"; exit 0 ;;
    *) break ;;
    esac
done
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=SCRIPTDIR/../startup/common.sh
source "$here/../startup/common.sh"
bench_take_program "$0 [--logbook SIZE] [--chains N] path/to/kavrilon" Xvfb xdotool -- "$@"
bench_build_helpers "$kavrilon"
bench_start_xvfb kavrilon
cp -- "$kavrilon" "$tmp/kavrilon/kavrilon"
"$here/../startup/make-logbook.sh" "$logbook" "$tmp/kavrilon/kavrilon.ini" || exit 1

"$tmp/kavrilon/kavrilon" >"$tmp/kavrilon.log" 2>&1 &
pid=$!
bench_pids+=("$pid")
win=$(timeout 60 xdotool search --sync --onlyvisible --limit 1 --pid "$pid" 2>/dev/null | head -n 1)
[[ -n $win ]] || { echo "Kavrilon's window did not appear" >&2; exit 1; }
sleep 2 # the welcome chain has saved
timeout 10 xdotool windowfocus --sync "$win" || { echo "could not focus the window" >&2; exit 1; }

probe() { # seconds
    "$pingprobe" --seconds "$1" "$win"
}

idle=$(probe 2)

probe $((chains + 1)) >"$tmp/chains" &
probe_pid=$!
sleep 0.3
for ((i = 0; i < chains; i++)); do
    xdotool key ctrl+c
    sleep 1
done
wait "$probe_pid"
chain=$(cat "$tmp/chains")

height=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
width=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
probe 3 >"$tmp/list" &
probe_pid=$!
sleep 0.3
xdotool windowsize "$win" "$width" $((height + 208))
sleep 1
xdotool windowsize "$win" "$width" "$height"
sleep 1
xdotool windowsize "$win" "$width" $((height + 208))
wait "$probe_pid"
list=$(cat "$tmp/list")

lines=$(tr -cd '\n' <"$tmp/kavrilon/kavrilon.ini" | wc -c)
echo "freeze probe, logbook $logbook ($lines lines after the run), $(date -u +%FT%TZ), $(uname -r), $build_type"
printf '%-8s %s\n' idle "$idle" chains "$chain" list "$list"
