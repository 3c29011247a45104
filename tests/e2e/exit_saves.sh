#!/usr/bin/env bash
# "&Exit.." (or SIGTERM, as a desktop logout or a service manager sends it)
# ends the real program, and the logbook file it leaves holds the welcome line
# of this start followed by the journal lines no chain had saved yet (the
# program saves the list once more when it ends).
# Usage: exit_saves.sh <kavrilon> [exit|sigterm]

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
how=${2:-exit}
kav_start

# A first start without a logbook file: the empty line of Form_Load, the empty
# line the missing file loads as, and the welcome line, saved by the welcome
# chain about 300 ms after start.
saved=false
kav_wait_welcome_saved && saved=true
if $saved; then kav_pass "welcome chain saved the new logbook"; else kav_fail "welcome chain saved the new logbook"; fi
$saved || kav_dump_logbook

# The quick start writes "Systemet snabb-startad." into the list only; the
# file stays as the welcome chain left it.
kav_keys alt+s
kav_expect_colour "Alt+S turns the start-conditions lamp Text4 green" "$(kav_centre 7440 1560 168 195)" "$KAV_GREEN" 5
kav_check_true "the quick start's journal line is not saved by itself" cmp -s "$KAV_LOGBOOK" "$KAV_TMP/expected-welcome"

if [[ $how == sigterm ]]; then
    kill -TERM "$KAV_PID"
else
    # "&Exit.." (Command1).
    kav_click 8280 2760 1095 495
fi
if kav_wait_gone "$KAV_PID" 10; then
    wait "$KAV_PID"
    rc=$?
    KAV_PID=
    kav_pass "the program ended on $how"
    kav_check "the program's exit status" "$rc" 0
else
    kav_die "the program was still running 10 s after $how"
fi

# What the file holds now: the welcome chain's lines and the quick start's
# line, then, depending on how long the run took, the start sequence's lines
# of 4 s and 10 s, which are journal lines without a save of their own too.
cp "$KAV_TMP/expected-welcome" "$KAV_TMP/expected-exit"
printf 'Systemet snabb-startad.\r\n' >>"$KAV_TMP/expected-exit"
ok=false
for extra in '' 'PLC  - burkar = kommunikation uppr\xe4ttad.\r\n' \
    'PLC  - burkar = kommunikation uppr\xe4ttad.\r\nStartvillkor angivits fr\xe5n = PLC  - burkar\r\n'; do
    { cat "$KAV_TMP/expected-exit"; printf '%b' "$extra"; } >"$KAV_TMP/expected-exit-variant"
    if cmp -s "$KAV_LOGBOOK" "$KAV_TMP/expected-exit-variant"; then
        ok=true
        break
    fi
done
if $ok; then
    kav_pass "the logbook saved at exit holds the welcome line and the unsaved quick-start line"
else
    kav_fail "the logbook saved at exit holds the welcome line and the unsaved quick-start line"
    kav_dump_logbook
fi

kav_finish
