# shellcheck shell=bash
# The private X server of the scripts that need one (the end-to-end scenarios,
# the package check, the clipboard test). Source this file, then
#
#     kav_xvfb_start folder [more Xvfb arguments...] || fail "$KAV_XVFB_ERROR"
#
# Xvfb picks a free display number and writes it to folder/display
# (-displayfd: no lock-file race with other servers on the machine); -noreset
# keeps it alive when its last client leaves, and it takes no TCP clients. Its
# output goes to folder/xvfb.log. On success DISPLAY is exported and
# KAV_XVFB_PID names the server, which the caller ends; on failure
# KAV_XVFB_ERROR says why.

KAV_XVFB_PID=
KAV_XVFB_ERROR=

kav_xvfb_start() { # folder [Xvfb arguments...]
    local dir=$1 n='' tries=200
    shift
    : >"$dir/display"
    Xvfb -noreset -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 "$@" 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
    KAV_XVFB_PID=$!
    while ((tries-- > 0)); do
        # read fails until the whole line, newline included, is there.
        if read -r n <"$dir/display" && [[ $n =~ ^[0-9]+$ ]]; then
            export DISPLAY=:$n
            return 0
        fi
        if ! kill -0 "$KAV_XVFB_PID" 2>/dev/null; then
            KAV_XVFB_ERROR="Xvfb ended at start: $(cat "$dir/xvfb.log")"
            return 1
        fi
        sleep 0.05
    done
    KAV_XVFB_ERROR="Xvfb gave no display number within 10 s"
    return 1
}
