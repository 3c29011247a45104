#!/usr/bin/env bash
# The real program starts: its main window has exactly the design caption, a
# client area of 10455 x 3300 twips with its top left corner at 2160, 2115
# twips on the screen, and the lamps of the panel in their design colours at
# their places. Alt+S (quick start) then gives the running look at once, and
# the start sequence turns the PLC-contact lamp green on its own after 4 s.
# Usage: startup_window.sh <kavrilon>

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib.sh"
kav_init "$1"
kav_start
# The design state lasts until the start sequence's first step at 4 s turns
# the PLC-contact lamp green. A start so slow that its first paint came later
# shows none of it; such a start is ended and made again (three tries).
plc_lamp=$(kav_centre 6360 2640 168 195)
for try in 1 2; do
    [[ $(kav_pixel "$KAV_PAINT_SHOT" "$plc_lamp") != "$KAV_GREEN" ]] && break
    kav_log "first paint came after the 4 s step (try $try); starting again"
    kill -TERM "$KAV_PID"
    kav_wait_gone "$KAV_PID" 10
    wait "$KAV_PID" 2>/dev/null
    kav_start
done

# The title, byte for byte (xdotool ends it with one newline of its own).
name=$(xdotool getwindowname "$KAV_WIN"; printf x)
name=${name%x}
name=${name%$'\n'}
kav_check "window title" "$name" "Kavrilon  V.1.0     Av:  Vendel Hagmark    -   Skarnvik"

# The first screenshot that shows the painted window: the PLC-contact lamp
# still yellow in it below shows it came before the 4 s step.
design_shot=$KAV_PAINT_SHOT

# Where the client area begins: the first row below the window's top whose
# colour is the client background (taken at a bare spot near the bottom).
# Column 530 px (7950 twips) is bare from the top of the client area down.
bare_x=$((KAV_WX + 530))
fmt=
for ((i = 0; i < 80; i++)); do fmt+="%[hex:p{$bare_x,$((KAV_WY + i))}] "; done
read -ra column <<<"$(convert "$design_shot" -format "$fmt" info:)"
background=$(convert "$design_shot" -format "%[hex:p{$bare_x,$((KAV_WY + KAV_WH - 2))}]" info:)
menu_h=-1
for ((i = 0; i < ${#column[@]}; i++)); do
    if [[ ${column[i]} == "$background" ]]; then
        menu_h=$i
        break
    fi
done
kav_log "menu bar $menu_h px high; client background $background"
kav_check "client area width (px)" "$KAV_WW" "$KAV_CLIENT_W"
kav_check "client area height below the menu bar (px)" "$((KAV_WH - menu_h))" "$KAV_CLIENT_H"
kav_check "client area's top left corner on the screen (px)" "$KAV_WX,$((KAV_WY + menu_h))" "144,141"

# The lamps at load (Left, Top, Width, Height in twips), and two drawings.
kav_check_pixels "$design_shot" \
    "PLC-contact lamp Text16 yellow" "$plc_lamp" "$KAV_YELLOW" \
    "start-conditions lamp Text4 yellow" "$(kav_centre 7440 1560 168 195)" "$KAV_YELLOW" \
    "alarm lamp Text9 yellow" "$(kav_centre 7440 1920 168 195)" "$KAV_YELLOW" \
    "paste-ready lamp Text7 yellow" "$(kav_centre 7440 2280 168 195)" "$KAV_YELLOW" \
    "in-operation lamp Text13 yellow" "$(kav_centre 7440 2640 168 195)" "$KAV_YELLOW" \
    "status light Shape12 yellow" "$(kav_centre 7800 1560 495 495)" "$KAV_YELLOW" \
    "home-position lamp Text18 green" "$(kav_centre 600 2100 168 195)" "$KAV_GREEN" \
    "front-position lamp Text19 yellow" "$(kav_centre 1285 2100 168 195)" "$KAV_YELLOW" \
    "colour-code-ready lamp Text17 yellow" "$(kav_centre 1800 2670 168 210)" "$KAV_YELLOW" \
    "left upper end lamp Text2 green" "$(kav_centre 480 0 168 195)" "$KAV_GREEN" \
    "left lower end lamp Text3 yellow" "$(kav_centre 480 2880 168 195)" "$KAV_YELLOW" \
    "right upper end lamp Text5 green" "$(kav_centre 9800 0 160 195)" "$KAV_GREEN" \
    "right lower end lamp Text6 yellow" "$(kav_centre 9790 2880 175 195)" "$KAV_YELLOW" \
    "piston rod end Shape14 white" "$(kav_at 1567 2320)" "$KAV_WHITE" \
    "right rod Line8 black inside its barrel" "$(kav_at 10147 1500)" "$KAV_BLACK"

# Quick start with its access key: the running look at once, long before the
# start sequence would give it at 10 s.
kav_keys alt+s
kav_expect_colour "Alt+S turns the start-conditions lamp Text4 green" "$(kav_centre 7440 1560 168 195)" "$KAV_GREEN" 5
kav_check_pixels "$KAV_SHOT" \
    "status light Shape12 green after quick start" "$(kav_centre 7800 1560 495 495)" "$KAV_GREEN" \
    "production-start lamp Text15 steady green" "$(kav_centre 9360 720 375 375)" "$KAV_GREEN" \
    "alarm lamp Text9 still yellow" "$(kav_centre 7440 1920 168 195)" "$KAV_YELLOW"

# The start sequence runs on after a quick start: the PLC link at 4 s.
kav_expect_colour "PLC-contact lamp Text16 green after the 4 s step" "$plc_lamp" "$KAV_GREEN" 15
kav_log "PLC-contact lamp green $(kav_elapsed) s after start"

# The quick start's journal line before the 10 s step's shows that the quick
# start gave the running look. A copy's chain saves the list with both.
kav_wait_start_sequence_over quick
kav_keys ctrl+c
tries=100
until kav_logbook_order "$KAV_LINE_QUICK_START" "$KAV_LINE_START_CONDITIONS" || ((--tries == 0)); do sleep 0.05; done
kav_check_true "the running look came from the quick start, not the 10 s step" \
    kav_logbook_order "$KAV_LINE_QUICK_START" "$KAV_LINE_START_CONDITIONS"

kav_finish
