# The shut-down dialog against a fake logind on a private D-Bus bus that the
# test starts itself.
kav_gui_test(shutdown_dialog_test ${CMAKE_CURRENT_LIST_DIR}/shutdown_dialog_test.cpp)
target_link_libraries(shutdown_dialog_test PRIVATE kav_platform Qt6::DBus)
# The fake logind is a QObject exported on the bus.
set_target_properties(shutdown_dialog_test PROPERTIES AUTOMOC ON)

# "Open CD" through a fake udisks2 on a private bus, a bus without it and a
# mute bus, with the tray's system calls recorded.
kav_gui_test(disc_service_test ${CMAKE_CURRENT_LIST_DIR}/disc_service_test.cpp ${CMAKE_CURRENT_LIST_DIR}/gui_main.cpp)
target_link_libraries(disc_service_test PRIVATE kav_platform Qt6::DBus)
