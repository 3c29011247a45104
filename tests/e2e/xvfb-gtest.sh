#!/usr/bin/env bash
# Runs one test program on a private Xvfb display, for tests that need a real
# X server (the clipboard is served by its owner over X, which the offscreen
# platform cannot show). Exit code 77 (skipped) only when Xvfb is missing.
set -u -o pipefail
command -v Xvfb >/dev/null || { echo "Xvfb is not installed"; exit 77; }
# shellcheck source=SCRIPTDIR/../support/xvfb.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/../support/xvfb.sh"
tmp=$(mktemp -d)
trap '[[ -n $KAV_XVFB_PID ]] && kill "$KAV_XVFB_PID" 2>/dev/null && wait "$KAV_XVFB_PID" 2>/dev/null; rm -rf "$tmp"' EXIT
kav_xvfb_start "$tmp" || { echo "$KAV_XVFB_ERROR"; exit 1; }
mkdir -m 700 "$tmp/runtime"
XDG_RUNTIME_DIR="$tmp/runtime" QT_QPA_PLATFORM=xcb "$@"
