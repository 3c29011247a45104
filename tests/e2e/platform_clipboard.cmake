# The real clipboard on a real X server.
add_executable(platform_clipboard_test ${CMAKE_CURRENT_LIST_DIR}/platform_clipboard_test.cpp)
target_link_libraries(platform_clipboard_test PRIVATE kav_platform Qt6::Test GTest::gtest kav_warnings)
add_test(NAME PlatformClipboard.OtherProgramsPasteExactlyTheText
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/xvfb-gtest.sh $<TARGET_FILE:platform_clipboard_test>)
set_tests_properties(PlatformClipboard.OtherProgramsPasteExactlyTheText PROPERTIES
  TIMEOUT 60 LABELS e2e SKIP_RETURN_CODE 77)
