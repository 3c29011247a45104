# shellcheck shell=bash
# The desktops people run, as one table of profiles. run_profile.sh plays a
# profile's scenarios; each scenario is one of this folder's scripts, run as
# it is on its own, and lib.sh's kav_init gives the program the profile's
# environment (KAV_PROFILE names it) after it has cleared the caller's.
#
# The colour road runs in every profile with a keyboard; the other scenarios
# run where the profile changes what they check. A scenario's arguments follow
# it after a colon, comma separated. Wayland under weston's headless backend
# has no seat (no keys, no clipboard): its scenario checks the start, the
# paint, the saves and the signals. sway is a tiling Wayland desktop run by an
# ordinary user with its own session bus and the real portal (lib.sh's
# kav_start_sway); KAV_PORTAL=none gives it a bus without the portal. The
# Wayland rows have the sanitizer build record whole stacks, so the leak
# check can tell Qt's Wayland plugin's own leaks, which the program's
# sanitizer build lists by library name, from ours.

# profile|environment (NAME=value ...)|scenarios
KAV_PROFILES=(
  "plain||colour_road.sh style_looks.sh:Fusion,Windows,Adwaita"
  "gnome|QT_QPA_PLATFORMTHEME=gtk3 XDG_CURRENT_DESKTOP=GNOME|colour_road.sh pick_command.sh"
  "adwaita-dark|QT_STYLE_OVERRIDE=Adwaita-Dark|colour_road.sh style_looks.sh:Adwaita-Dark"
  "scale2|QT_SCALE_FACTOR=2|colour_road.sh"
  "c-locale|LANG=C.UTF-8 LC_ALL=|colour_road.sh"
  "wayland|QT_QPA_PLATFORM=wayland ASAN_OPTIONS=fast_unwind_on_malloc=0|wayland_session.sh"
  "sway|QT_QPA_PLATFORM=wayland ASAN_OPTIONS=fast_unwind_on_malloc=0 KAV_COMPOSITOR=sway|sway_colour.sh sway_windows.sh"
  "sway-no-portal|QT_QPA_PLATFORM=wayland ASAN_OPTIONS=fast_unwind_on_malloc=0 KAV_COMPOSITOR=sway KAV_PORTAL=none|sway_colour.sh:no-portal"
)

# The row of a profile: sets KAV_PROFILE_ENV and KAV_PROFILE_SCENARIOS
# (arrays); returns 1 for an unknown profile.
kav_profile_row() { # profile
    local row name env scenarios
    for row in "${KAV_PROFILES[@]}"; do
        IFS='|' read -r name env scenarios <<<"$row"
        [[ $name == "$1" ]] || continue
        read -ra KAV_PROFILE_ENV <<<"$env"
        read -ra KAV_PROFILE_SCENARIOS <<<"$scenarios"
        return 0
    done
    return 1
}

# Exports the environment of a profile (an empty value unsets the variable).
kav_profile_env() { # profile
    local a
    kav_profile_row "$1" || return 1
    for a in "${KAV_PROFILE_ENV[@]}"; do
        if [[ $a == *= ]]; then unset "${a%=}"; else export "${a?}"; fi
    done
}
