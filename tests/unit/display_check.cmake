# How the display check reads the command line and the platform variable.
kav_unit_test(display_check_test ${CMAKE_CURRENT_LIST_DIR}/display_check_test.cpp
  ${PROJECT_SOURCE_DIR}/app/DisplayCheck.cpp)
target_link_libraries(display_check_test PRIVATE kav_posix PkgConfig::KAV_XCB)
