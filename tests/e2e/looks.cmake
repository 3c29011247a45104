# End-to-end look of the real program with only the fonts the README
# installs: a wrapped copy caption and a readable code box in a dark theme.
if(NOT COMMAND kav_e2e_test)
  message(FATAL_ERROR "looks.cmake needs kav_e2e_test from e2e.cmake")
endif()

kav_e2e_test(copy_caption_whole_and_code_box_readable_in_dark_theme looks.sh ${CMAKE_BINARY_DIR}/test-fonts/fonts.conf)
