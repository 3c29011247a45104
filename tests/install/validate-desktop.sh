#!/usr/bin/env bash
# Validates a desktop entry with desktop-file-validate and prints what it
# finds wrong; exits 1 when anything is. The entry follows version 1.5 of the
# format for SingleMainWindow; a validator that knows only 1.4 (Debian 12 has
# one) says exactly two things about that, which are left out, and nothing
# else is.
#
#     tests/install/validate-desktop.sh FILE.desktop
set -u
desktop=$1
out=$(desktop-file-validate "$desktop" 2>&1)
rc=$?
if desktop-file-validate --help 2>&1 | grep -q -E 'Desktop Entry [a-z]+ 1\.4'; then
    out=$(printf '%s\n' "$out" | grep -v -e '^$' \
        -e 'value "1.5" for key "Version" in group "Desktop Entry" is not a known version' \
        -e 'file contains key "SingleMainWindow" in group "Desktop Entry", but keys extending the format should start with "X-"')
elif ((rc != 0)); then
    out="desktop-file-validate failed${out:+: $out}"
fi
[[ -z $out ]] && exit 0
printf '%s\n' "$out"
exit 1
