# The raise request between two starts on one program folder.
kav_gui_test(single_instance_test ${CMAKE_CURRENT_LIST_DIR}/single_instance_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gui_main.cpp)
target_link_libraries(single_instance_test PRIVATE kav_platform)
