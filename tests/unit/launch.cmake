# The launcher menu and logbook file-command handlers, the Linux programs that
# stand in for the launcher items (fake programs on a temporary PATH) and the
# drives and file operations on fake media.
kav_unit_test(launch_test
  ${CMAKE_CURRENT_LIST_DIR}/launch_handlers_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/launcher_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/launch_media_test.cpp)
target_link_libraries(launch_test PRIVATE kav_platform)
