#!/usr/bin/env bash
# Plays the scenarios of one desktop profile of profiles.sh in turn, each in
# the profile's environment; fails when one fails, skips (77) when all skip.
# Usage: run_profile.sh <kavrilon> <profile>

# shellcheck source=SCRIPTDIR/profiles.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/profiles.sh"
set -u
program=$1 profile=$2
here=$(dirname -- "${BASH_SOURCE[0]}")
kav_profile_row "$profile" || { echo "FAIL - no profile $profile in the table"; exit 1; }
failed=0 ran=0
for entry in "${KAV_PROFILE_SCENARIOS[@]}"; do
    script=${entry%%:*} args=()
    [[ $entry == *:* ]] && IFS=',' read -ra args <<<"${entry#*:}"
    echo "# == $profile: $script ${args[*]}"
    KAV_PROFILE=$profile bash "$here/$script" "$program" "${args[@]}"
    rc=$?
    case $rc in
    0) ran=$((ran + 1)) ;;
    77) echo "# $script skipped" ;;
    *) echo "FAIL - $profile: $script exited $rc"; failed=1 ;;
    esac
done
((failed)) && exit 1
((ran)) || exit 77
exit 0
