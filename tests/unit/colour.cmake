# The colour tool (code conversion, colour choice, clipboard commands), its
# journal chains, start-up and the window commands with the About windows.
kav_unit_test(colour_test
  ${CMAKE_CURRENT_LIST_DIR}/colour_hexrgb_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_selection_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_clipboard_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_webforms_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_code_box_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_contrast_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_history_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/journal_chains_test.cpp)
kav_unit_test(shell_test
  ${CMAKE_CURRENT_LIST_DIR}/shell_startup_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shell_window_commands_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shell_about_window_test.cpp)
# The command line parser.
kav_unit_test(app_command_line_test ${CMAKE_CURRENT_LIST_DIR}/app_command_line_test.cpp)
target_link_libraries(app_command_line_test PRIVATE kav_cmdline)
