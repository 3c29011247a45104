# The colour dialog's screen pick against a fake portal on a private D-Bus bus.
kav_gui_test(portal_colour_pick_test ${CMAKE_CURRENT_LIST_DIR}/portal_colour_pick_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gui_main.cpp)
target_link_libraries(portal_colour_pick_test PRIVATE kav_platform kav_start_checks Qt6::DBus)
