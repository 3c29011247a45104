# End-to-end tests: the built program, copied into a temporary folder, runs on
# a private Xvfb and is used as a person would use it (xdotool for keys and
# clicks, xclip as the program that pastes, screenshots, the logbook file's
# bytes). Each scenario is a bash script given the program's path; it exits 77
# (skipped) only when Xvfb is not installed.
set(KAV_E2E_DIR ${CMAKE_CURRENT_LIST_DIR})
find_program(KAV_BASH bash REQUIRED)

# kav_e2e_test(name script [extra arguments of the script...])
function(kav_e2e_test name script)
  add_test(NAME e2e.${name} COMMAND ${KAV_BASH} ${KAV_E2E_DIR}/${script} $<TARGET_FILE:kavrilon> ${ARGN})
  set_tests_properties(e2e.${name} PROPERTIES LABELS e2e TIMEOUT 120 SKIP_RETURN_CODE 77)
endfunction()

kav_e2e_test(window_has_design_title_geometry_and_lamp_colours startup_window.sh)
kav_e2e_test(right_cylinder_man_and_auto_resize_window right_cylinder.sh)
kav_e2e_test(exit_button_ends_program_with_logbook_saved exit_saves.sh exit)
kav_e2e_test(sigterm_ends_program_with_logbook_saved exit_saves.sh sigterm)
kav_e2e_test(second_start_raises_first_copy_and_ends single_copy.sh)
kav_e2e_test(every_ending_is_prompt_and_saves endings.sh)

# The desktop as users have it: a window manager's states, buses that do not
# answer (a test-owned socket that never replies), and no display at all.
add_executable(mute_socket ${KAV_E2E_DIR}/mute_socket.cpp)
target_link_libraries(mute_socket PRIVATE kav_warnings)
foreach(scenario minimised tool-windows mute-buses built-in-page)
  kav_e2e_test(desktop_${scenario} desktop_edges.sh $<TARGET_FILE:mute_socket> ${scenario})
endforeach()
kav_e2e_test(no_display_exits_1_with_a_swedish_line no_display.sh)
kav_e2e_test(pick_prints_chosen_colour_help_opens_no_window pick_command.sh)
kav_e2e_test(palette_prints_earlier_colours_without_display_or_lock palette_command.sh)
kav_e2e_test(code_box_menu_copies_web_form code_box_menu.sh)
kav_e2e_test(start_sequence_keeps_what_the_user_copied start_keeps_clipboard.sh)

# The logbook's place for each layout, as root and as a made user, on the
# offscreen platform (no Xvfb needed).
add_test(NAME e2e.logbook_place_follows_the_layout
  COMMAND ${KAV_BASH} ${KAV_E2E_DIR}/program_folder_layouts.sh $<TARGET_FILE:kavrilon> ${PROJECT_SOURCE_DIR})
set_tests_properties(e2e.logbook_place_follows_the_layout PROPERTIES LABELS e2e TIMEOUT 180)

# Another user on the machine cannot stop, misdirect or feed the program
# (two created users; needs root, as CI runs).
kav_e2e_test(other_users_cannot_stop_misdirect_or_feed_the_program other_users.sh)
set_tests_properties(e2e.other_users_cannot_stop_misdirect_or_feed_the_program PROPERTIES TIMEOUT 240)

# The desktops people run (profiles.sh holds the table, run_profile.sh plays
# a row): each profile plays the colour road, and the scenarios whose checks
# it changes, in its own environment.
file(STRINGS ${KAV_E2E_DIR}/profiles.sh kav_profile_rows REGEX "^  \"[a-z0-9-]+\\|")
list(TRANSFORM kav_profile_rows REPLACE "^  \"([a-z0-9-]+)\\|.*" "\\1")
foreach(profile ${kav_profile_rows})
  add_test(NAME e2e.desktop_profile.${profile}
    COMMAND ${KAV_BASH} ${KAV_E2E_DIR}/run_profile.sh $<TARGET_FILE:kavrilon> ${profile})
  set_tests_properties(e2e.desktop_profile.${profile} PROPERTIES LABELS e2e TIMEOUT 240 SKIP_RETURN_CODE 77)
endforeach()
