#!/usr/bin/env bash
# The command line's two bars against the minimal Qt Widgets program
# (baseline.cpp), alternating, on one private Xvfb:
#  - `kavrilon --pick`: exec to its colour dialog mapped, against exec to the
#    baseline's window mapped (goal <= 1.2), and the same with
#    `--color oklch(90% 0.4 140)`, a colour outside sRGB that the
#    reader gamut-maps, which must cost nothing more;
#  - `kavrilon --help`: exec to exit, run with DISPLAY unset so that it could
#    not open a display connection if it tried, against the same baseline
#    start (goal <= 1.1).
# With --logbook SIZE (as make-logbook.sh takes it: 10k, 100k, 1M, 10MB-line)
# a grown logbook lies beside the program; `--pick` reads it for the colour
# its dialog opens on, while `--pick --color` does not.
#
#   bench/startup/measure-cli.sh [--runs N] [--logbook SIZE] path/to/kavrilon
set -u -o pipefail

runs=15
logbook=
while (($#)); do
    case $1 in
    --runs) runs=$2; shift 2 ;;
    --logbook) logbook=$2; shift 2 ;;
    -h | --help) sed -n '2,14p' "$0"; exit 0 ;;
    *) break ;;
    esac
done
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=SCRIPTDIR/common.sh
source "$here/common.sh"
bench_take_program "$0 [--runs N] [--logbook SIZE] path/to/kavrilon" Xvfb -- "$@"
bench_build_helpers "$kavrilon"
bench_start_xvfb kavrilon baseline
cp -- "$kavrilon" "$tmp/kavrilon/kavrilon"
cp -- "$baseline_program" "$tmp/baseline/kav_startup_baseline"
if [[ -n $logbook ]]; then
    "$here/make-logbook.sh" "$logbook" "$tmp/kavrilon/kavrilon.ini" || exit 1
    cp -- "$tmp/kavrilon/kavrilon.ini" "$tmp/logbook-before"
fi

# Appends "name map_us" for one start that maps a window.
run_map() { # name program [args...]
    local name=$1 line
    shift
    line=$("$waitmap" --linger-ms 0 "$@" 2>>"$tmp/programs.log") ||
        { echo "run of $name failed: $line" >&2; tail -n 5 "$tmp/programs.log" >&2; exit 1; }
    echo "$name $(sed -n 's/.*map_us=\([-0-9]*\).*/\1/p' <<<"$line")" >>"$tmp/results"
}

# Appends "help us" for one `kavrilon --help` without a display.
run_help() {
    local t0 t1
    t0=${EPOCHREALTIME/./}
    env -u DISPLAY "$tmp/kavrilon/kavrilon" --help >/dev/null || { echo "--help failed" >&2; exit 1; }
    t1=${EPOCHREALTIME/./}
    echo "help $((t1 - t0))" >>"$tmp/results"
}

run_map warmup "$tmp/kavrilon/kavrilon" --pick
run_map warmup "$tmp/baseline/kav_startup_baseline"
: >"$tmp/results"
for ((i = 1; i <= runs; i++)); do
    if ((i % 2)); then
        run_map pick "$tmp/kavrilon/kavrilon" --pick
        run_help
        run_map baseline "$tmp/baseline/kav_startup_baseline"
        run_map color "$tmp/kavrilon/kavrilon" --pick --color 'oklch(90% 0.4 140)'
    else
        run_map color "$tmp/kavrilon/kavrilon" --pick --color 'oklch(90% 0.4 140)'
        run_map baseline "$tmp/baseline/kav_startup_baseline"
        run_help
        run_map pick "$tmp/kavrilon/kavrilon" --pick
    fi
done
if [[ -n $logbook ]]; then
    cmp -s "$tmp/kavrilon/kavrilon.ini" "$tmp/logbook-before" || { echo "--pick or --help changed the logbook" >&2; exit 1; }
else
    [[ ! -e $tmp/kavrilon/kavrilon.ini ]] || { echo "--pick or --help wrote a logbook" >&2; exit 1; }
fi

median() { # name
    awk -v n="$1" '$1 == n { print $2 }' "$tmp/results" | sort -n |
        awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
ms() { awk -v v="$1" 'BEGIN { printf "%.1f ms", v / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v r="$1" -v g="$2" 'BEGIN { print (r <= g) ? "meets the goal" : "MISSES the goal" }'; }

p=$(median pick) c=$(median color) h=$(median help) b=$(median baseline)
rp=$(ratio "$p" "$b") rc=$(ratio "$c" "$b") rh=$(ratio "$h" "$b")
echo "command line, $runs runs each, alternating, medians${logbook:+, a logbook of $logbook beside the program} ($(date -u +%FT%TZ), $(uname -r), $build_type)"
printf '%-40s %10s\n' "baseline: exec to window mapped" "$(ms "$b")"
printf '%-40s %10s  ratio %s (goal <= 1.20: %s)\n' "kavrilon --pick: exec to dialog mapped" "$(ms "$p")" "$rp" \
    "$(verdict "$rp" 1.20)"
printf '%-40s %10s  ratio %s (goal <= 1.20: %s)\n' "kavrilon --pick --color: the same" "$(ms "$c")" "$rc" \
    "$(verdict "$rc" 1.20)"
printf '%-40s %10s  ratio %s (goal <= 1.10: %s)\n' "kavrilon --help, no DISPLAY: exec to exit" "$(ms "$h")" "$rh" \
    "$(verdict "$rh" 1.10)"
