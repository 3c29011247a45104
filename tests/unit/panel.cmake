# The process panel: run control, piston, cylinders and console ramp.
kav_unit_test(panel_tests
  ${CMAKE_CURRENT_LIST_DIR}/panel_run_control_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panel_piston_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panel_cylinders_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panel_console_ramp_test.cpp)
