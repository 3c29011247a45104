# The real platform's word in the status line when F11 can open no page.
kav_gui_test(platform_homepage_test ${CMAKE_CURRENT_LIST_DIR}/platform_homepage_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gui_main.cpp)
target_link_libraries(platform_homepage_test PRIVATE kav_platform)
