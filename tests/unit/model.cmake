kav_unit_test(model_test ${CMAKE_CURRENT_LIST_DIR}/model_timer_test.cpp ${CMAKE_CURRENT_LIST_DIR}/model_window_test.cpp)
