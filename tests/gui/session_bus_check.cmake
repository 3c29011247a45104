# The start check of the session bus against a private bus, buses that never
# answer and addresses of other forms.
kav_gui_test(session_bus_check_test ${CMAKE_CURRENT_LIST_DIR}/session_bus_check_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gui_main.cpp)
target_link_libraries(session_bus_check_test PRIVATE kav_start_checks Qt6::DBus)
