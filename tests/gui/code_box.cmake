# The code box's tooltip in the renderer.
kav_gui_test(code_box_tooltip_test ${CMAKE_CURRENT_LIST_DIR}/code_box_tooltip_test.cpp ${CMAKE_CURRENT_LIST_DIR}/gui_main.cpp)
target_link_libraries(code_box_tooltip_test PRIVATE kav_platform)
