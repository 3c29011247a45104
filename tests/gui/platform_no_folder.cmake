# The real platform of a program that has no folder: the logbook commands act
# on nothing, not on a kavrilon.ini of the working directory.
kav_gui_test(platform_no_folder_test ${CMAKE_CURRENT_LIST_DIR}/platform_no_folder_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gui_main.cpp)
target_link_libraries(platform_no_folder_test PRIVATE kav_platform)
