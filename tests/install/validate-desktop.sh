#!/usr/bin/env bash
# Validates a desktop entry with desktop-file-validate and prints what it
# finds wrong; exits 1 when it finds anything: errors, warnings and hints all
# count, and nothing the validator says is left out.
#
#     tests/install/validate-desktop.sh FILE.desktop
set -u
out=$(desktop-file-validate "${1:?usage: validate-desktop.sh FILE.desktop}" 2>&1)
rc=$?
((rc != 0)) && out="desktop-file-validate failed (status $rc)${out:+:
$out}"
[[ -z $out ]] && exit 0
printf '%s\n' "$out"
exit 1
