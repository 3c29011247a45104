#!/usr/bin/env bash
# Start-up time and peak memory of Kavrilon against a minimal Qt Widgets
# program (baseline.cpp), both started the same way, alternately, on one
# private Xvfb, each from its own temporary folder.
#
#   bench/startup/measure.sh [--runs N] [--linger-ms N] [--logbook SIZE] path/to/kavrilon
#
# --logbook SIZE starts Kavrilon on a logbook that has grown: SIZE is a number
# of lines (10k, 100k, 1M) or 10MB-line (see make-logbook.sh); a fresh copy is
# put in place before every start. Without it every start is a first start.
#
# Time is counted from exec to the first drawing into the program's first
# mapped top-level window (and, for reference, to the map itself), as
# kav_waitmap sees them through X events: no polling. Peak memory is the
# program's maximum resident set, from wait4(), after it has run on for
# --linger-ms past its first paint and been sent SIGTERM. The helpers are
# built from bench/startup with the build type, compiler and flags of the
# kavrilon given (read from its CMakeCache.txt), so both programs are compiled
# alike; measure a release build. The report gives medians and the ratios
# Kavrilon / baseline (goals: time <= 1.3, memory <= 1.25).
set -u -o pipefail

runs=15
linger_ms=1500
logbook=0
while (($#)); do
    case $1 in
    --runs) runs=$2; shift 2 ;;
    --linger-ms) linger_ms=$2; shift 2 ;;
    --logbook) logbook=$2; shift 2 ;;
    -h | --help) sed -n '2,22p' "$0"; exit 0 ;;
    *) break ;;
    esac
done
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=SCRIPTDIR/common.sh
source "$here/common.sh"
bench_take_program "$0 [--runs N] [--linger-ms N] path/to/kavrilon" Xvfb -- "$@"
bench_build_helpers "$kavrilon"
bench_start_xvfb kavrilon baseline
cp -- "$kavrilon" "$tmp/kavrilon/kavrilon"
cp -- "$baseline_program" "$tmp/baseline/kav_startup_baseline"
if [[ $logbook != 0 ]]; then
    "$here/make-logbook.sh" "$logbook" "$tmp/logbook.ini" || exit 1
fi

# One start of one program; appends "name paint_us map_us maxrss_kb cpu_us".
run_one() { # name program
    local line
    rm -f -- "$tmp/kavrilon/kavrilon.ini" # a first start, or one on the grown logbook
    if [[ $1 == grown ]]; then cp -- "$tmp/logbook.ini" "$tmp/kavrilon/kavrilon.ini"; fi
    line=$("$waitmap" --linger-ms "$linger_ms" "$2" 2>>"$tmp/programs.log") ||
        { echo "run of $1 failed: $line" >&2; tail -n 5 "$tmp/programs.log" >&2; exit 1; }
    local map paint rss cpu
    map=$(sed -n 's/.*map_us=\([-0-9]*\).*/\1/p' <<<"$line")
    paint=$(sed -n 's/.*paint_us=\([-0-9]*\).*/\1/p' <<<"$line")
    rss=$(sed -n 's/.*maxrss_kb=\([-0-9]*\).*/\1/p' <<<"$line")
    cpu=$(sed -n 's/.*cpu_us=\([-0-9]*\).*/\1/p' <<<"$line")
    echo "$1 $paint $map $rss $cpu" >>"$tmp/results"
}

# One start each first, not counted: fontconfig caches and the page cache.
run_one warmup "$tmp/kavrilon/kavrilon"
run_one warmup "$tmp/baseline/kav_startup_baseline"
: >"$tmp/results"
# With a grown logbook, each round also starts Kavrilon on it, in turn.
grown_run() { if [[ $logbook != 0 ]]; then run_one grown "$tmp/kavrilon/kavrilon"; fi; }
for ((i = 1; i <= runs; i++)); do
    if ((i % 2)); then
        run_one kavrilon "$tmp/kavrilon/kavrilon"
        grown_run
        run_one baseline "$tmp/baseline/kav_startup_baseline"
    else
        run_one baseline "$tmp/baseline/kav_startup_baseline"
        grown_run
        run_one kavrilon "$tmp/kavrilon/kavrilon"
    fi
done

median() { # name column
    awk -v n="$1" -v c="$2" '$1 == n { print $c }' "$tmp/results" | sort -n |
        awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v r="$1" -v g="$2" 'BEGIN { print (r <= g) ? "meets the goal" : "MISSES the goal" }'; }

kp=$(median kavrilon 2) bp=$(median baseline 2)
km=$(median kavrilon 3) bm=$(median baseline 3)
kr=$(median kavrilon 4) br=$(median baseline 4)
kc=$(median kavrilon 5) bc=$(median baseline 5)
rp=$(ratio "$kp" "$bp") rm_=$(ratio "$km" "$bm") rr=$(ratio "$kr" "$br") rc=$(ratio "$kc" "$bc")

echo "start-up, $runs runs each, alternating, medians ($(date -u +%FT%TZ), $(uname -r), $build_type)"
printf '%-28s %12s %12s %8s\n' "" kavrilon baseline ratio
printf '%-28s %10.1f ms %10.1f ms %8s  (goal <= 1.30: %s)\n' "exec to first paint" \
    "$(awk -v v="$kp" 'BEGIN{print v/1000}')" "$(awk -v v="$bp" 'BEGIN{print v/1000}')" "$rp" "$(verdict "$rp" 1.30)"
printf '%-28s %10.1f ms %10.1f ms %8s\n' "exec to window mapped" \
    "$(awk -v v="$km" 'BEGIN{print v/1000}')" "$(awk -v v="$bm" 'BEGIN{print v/1000}')" "$rm_"
printf '%-28s %10.1f MB %10.1f MB %8s  (goal <= 1.25: %s)\n' "peak resident memory" \
    "$(awk -v v="$kr" 'BEGIN{print v/1024}')" "$(awk -v v="$br" 'BEGIN{print v/1024}')" "$rr" "$(verdict "$rr" 1.25)"
printf '%-28s %10.1f ms %10.1f ms %8s\n' "CPU time, start to SIGTERM" \
    "$(awk -v v="$kc" 'BEGIN{print v/1000}')" "$(awk -v v="$bc" 'BEGIN{print v/1000}')" "$rc"

if [[ $logbook != 0 ]]; then
    gp=$(median grown 2) gm=$(median grown 3) gr=$(median grown 4)
    echo "with the logbook $logbook ($(stat -c %s "$tmp/logbook.ini") bytes), against the first start above:"
    printf '%-28s %10.1f ms %8s x the first start, %s x baseline\n' "exec to first paint" \
        "$(awk -v v="$gp" 'BEGIN{print v/1000}')" "$(ratio "$gp" "$kp")" "$(ratio "$gp" "$bp")"
    printf '%-28s %10.1f ms %8s x the first start, %s x baseline\n' "exec to window mapped" \
        "$(awk -v v="$gm" 'BEGIN{print v/1000}')" "$(ratio "$gm" "$km")" "$(ratio "$gm" "$bm")"
    printf '%-28s %10.1f MB %8s x the first start, %s x baseline\n' "peak resident memory" \
        "$(awk -v v="$gr" 'BEGIN{print v/1024}')" "$(ratio "$gr" "$kr")" "$(ratio "$gr" "$br")"
fi
