#!/usr/bin/env bash
# Writes a logbook file that has grown for years, for the benchmarks.
#
#   bench/startup/make-logbook.sh SIZE OUT
#
# SIZE is a number of lines (0, 10k, 100k, 1M: the program's own journal
# lines, about 70 bytes each in Windows-1252 with CR LF) or "10MB-line" (one
# line of ten million bytes).
set -euo pipefail
(($# == 2)) || { echo "usage: $0 SIZE OUT" >&2; exit 64; }
size=$1 out=$2
case $size in
10MB-line)
    LC_ALL=C awk 'BEGIN { s = "x"; while (length(s) < 10000000) s = s s; printf "%s\r\n", substr(s, 1, 10000000) }' >"$out"
    exit 0 ;;
*k) lines=$((${size%k} * 1000)) ;;
*M) lines=$((${size%M} * 1000000)) ;;
*) lines=$size ;;
esac
# The journal lines of a colour road, a copy, the CD tray and a start, over and over, as the program writes them.
LC_ALL=C awk -v n="$lines" 'BEGIN {
    m[0] = "Vendel Hagmarks loggbok, Special.  Gratulera !!   Din nya f\344rg kod blev..  ="
    m[1] = "Anv\344ndaren har tryck p\345 knappen:  \326ppna CD rom - CD Sl\344de ut.."
    m[2] = "Anv\344ndaren har tryck p\345 knappen eller menyn:  Kopiera till Klipp-Minnet"
    m[3] = "V\344lkommen till Vendel Hagmarks loggbok  i Skarnvik"
    for (i = 0; i < n; i++) printf "%s\r\n", m[i % 4]
}' >"$out"
