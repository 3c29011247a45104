# The start-up sweep of temporary files that killed saves left behind.
kav_unit_test(stale_temp_files_test ${CMAKE_CURRENT_LIST_DIR}/stale_temp_files_test.cpp)
