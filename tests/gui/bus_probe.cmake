# The D-Bus probe, blocking and on the event loop, against a private bus, a
# mute socket and a bus that falls silent after the authentication.
kav_gui_test(bus_probe_test ${CMAKE_CURRENT_LIST_DIR}/bus_probe_test.cpp ${CMAKE_CURRENT_LIST_DIR}/gui_main.cpp)
target_link_libraries(bus_probe_test PRIVATE kav_dbus)
