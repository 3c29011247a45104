#!/usr/bin/env bash
# Runs one test program on a private Xvfb display, for tests that need a real
# X server (the clipboard is served by its owner over X, which the offscreen
# platform cannot show). Exit code 77 (skipped) only when Xvfb is missing.
set -u -o pipefail
command -v Xvfb >/dev/null || { echo "Xvfb is not installed"; exit 77; }
tmp=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$tmp"' EXIT
exec {fd}>"$tmp/display"
Xvfb -displayfd "$fd" -noreset -nolisten tcp -screen 0 1280x1024x24 >"$tmp/xvfb.log" 2>&1 &
xvfb=$!
exec {fd}>&-
for _ in $(seq 1 100); do
    [ -s "$tmp/display" ] && break
    sleep 0.05
done
display=$(head -n1 "$tmp/display")
[ -n "$display" ] || { echo "Xvfb did not start"; cat "$tmp/xvfb.log"; exit 1; }
mkdir -m 700 "$tmp/runtime"
DISPLAY=":$display" XDG_RUNTIME_DIR="$tmp/runtime" QT_QPA_PLATFORM=xcb "$@"
