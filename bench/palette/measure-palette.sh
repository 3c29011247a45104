#!/usr/bin/env bash
# `kavrilon --palette` on a logbook grown to a million lines, against a plain
# read and line scan of the same file (read_scan.cpp: 1 MiB blocks, memchr for
# line feeds) and against `wc -l`, alternating, exec to exit, the file in the
# page cache. Goal: the palette within 1.5 times the plain read and scan.
#
#   bench/palette/measure-palette.sh [--runs N] [--lines N] path/to/kavrilon
#
# The logbook is what a million lines of use write: the congratulation line
# and its code (4096 different colours, some chosen again and again), a copy
# line and a CD-tray line, over and over. No display is used. The start of the
# program alone (--version: loading Qt's libraries) is measured in the same
# turns, since on a slow machine it can cost as much as reading the file.
set -u -o pipefail

runs=21 lines=1000000
while (($#)); do
    case $1 in
    --runs) runs=$2; shift 2 ;;
    --lines) lines=$2; shift 2 ;;
    -h | --help) sed -n '2,12p' "$0"; exit 0 ;;
    *) break ;;
    esac
done
(($# == 1)) || { echo "usage: $0 [--runs N] [--lines N] path/to/kavrilon" >&2; exit 64; }
kavrilon=$(realpath -- "$1") || exit 64
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)

tmp=$(mktemp -d "${TMPDIR:-/tmp}/kav-palette.XXXXXX") || exit 1
trap 'rm -rf -- "$tmp"' EXIT
mkdir -p "$tmp/prog"
cp -- "$kavrilon" "$tmp/prog/kavrilon"

# The baseline, compiled with the same optimisation as a release build.
c++ -std=c++20 -O2 -o "$tmp/read_scan" "$here/read_scan.cpp" || { echo "building read_scan failed" >&2; exit 1; }

LC_ALL=C awk -v n="$lines" 'BEGIN {
    congrats = "Vendel Hagmarks loggbok, Special.  Gratulera !!   Din nya f\344rg kod blev..  ="
    copied = "Anv\344ndaren har tryck p\345 knappen eller menyn:  Kopiera till Klipp-Minnet"
    tray = "Anv\344ndaren har tryck p\345 knappen:  \326ppna CD rom - CD Sl\344de ut.."
    for (i = 0; i < n; i += 4) {
        c = (i * 2654435761) % 4096
        printf "%s\r\n%02X%02X%02X\r\n%s\r\n%s\r\n", congrats, (c * 37) % 256, (c * 11) % 256, c % 256, copied, tray
    }
}' >"$tmp/prog/kavrilon.ini"
logbook=$tmp/prog/kavrilon.ini
echo "logbook: $(wc -l <"$logbook") lines, $(($(stat -c %s "$logbook") / 1000000)) MB"

# Without HOME or a display the palette still finds the logbook beside the
# program (a build folder's layout) and needs nothing else.
run() { # name command...
    local name=$1 t0 t1
    shift
    t0=${EPOCHREALTIME/./}
    "$@" >/dev/null || { echo "$name failed" >&2; exit 1; }
    t1=${EPOCHREALTIME/./}
    echo "$name $((t1 - t0))" >>"$tmp/results"
}
unset DISPLAY WAYLAND_DISPLAY

cat "$logbook" >/dev/null
run warmup "$tmp/prog/kavrilon" --palette
run warmup "$tmp/read_scan" "$logbook"
: >"$tmp/results"
for ((i = 1; i <= runs; i++)); do
    if ((i % 2)); then
        run palette "$tmp/prog/kavrilon" --palette
        run start "$tmp/prog/kavrilon" --version
        run read_scan "$tmp/read_scan" "$logbook"
        run wc wc -l "$logbook"
    else
        run wc wc -l "$logbook"
        run read_scan "$tmp/read_scan" "$logbook"
        run palette "$tmp/prog/kavrilon" --palette
        run start "$tmp/prog/kavrilon" --version
    fi
done

median() { # name
    awk -v n="$1" '$1 == n { print $2 }' "$tmp/results" | sort -n |
        awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
ms() { awk -v v="$1" 'BEGIN { printf "%.1f ms", v / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

p=$(median palette) r=$(median read_scan) w=$(median wc) s=$(median start)
work=$(awk -v a="$p" -v b="$s" 'BEGIN { print a - b }')
echo "--palette on a grown logbook, $runs runs each, alternating, medians ($(date -u +%FT%TZ), $(uname -r))"
printf '%-44s %10s\n' "plain read and line scan (read_scan)" "$(ms "$r")"
printf '%-44s %10s\n' "wc -l" "$(ms "$w")"
printf '%-44s %10s\n' "kavrilon --version (the program's start alone)" "$(ms "$s")"
printf '%-44s %10s  ratio %s to the read and scan (goal <= 1.50), %s to wc -l\n' "kavrilon --palette" "$(ms "$p")" \
    "$(ratio "$p" "$r")" "$(ratio "$p" "$w")"
printf '%-44s %10s  ratio %s to the read and scan\n' "the palette's own work (--palette less --version)" \
    "$(ms "$work")" "$(ratio "$work" "$r")"
