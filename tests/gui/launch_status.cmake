# The real program on a desktop where no program stands in for a launcher
# item: its status line says which one is missing.
kav_gui_test(launch_status_test ${CMAKE_CURRENT_LIST_DIR}/launch_status_test.cpp ${CMAKE_CURRENT_LIST_DIR}/gui_main.cpp)
target_link_libraries(launch_status_test PRIVATE kav_platform)
