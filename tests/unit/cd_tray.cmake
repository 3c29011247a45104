# The CD tray buttons with their journal chains, the shut-down menu item, and
# the tray device with its system calls recorded.
kav_unit_test(cd_tray_test
  ${CMAKE_CURRENT_LIST_DIR}/cd_tray_buttons_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cd_tray_device_test.cpp)
target_link_libraries(cd_tray_test PRIVATE kav_platform)
