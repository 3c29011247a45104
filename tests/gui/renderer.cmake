kav_gui_test(renderer_test ${CMAKE_CURRENT_LIST_DIR}/renderer_test.cpp ${CMAKE_CURRENT_LIST_DIR}/gui_main.cpp)
target_link_libraries(renderer_test PRIVATE kav_platform kav_resources)
