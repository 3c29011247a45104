# The Qt/Linux platform and the renderer of the model.
add_library(kav_qt STATIC
  qt/ClientArea.cpp
  qt/Convert.cpp
  qt/FormView.cpp
  qt/LogbookListView.cpp
  qt/ProgramFolder.cpp
  qt/QtPlatform.cpp
  qt/Renderer.cpp
  qt/TimerDriver.cpp)
target_include_directories(kav_qt PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(kav_qt PUBLIC kav_core Qt6::Widgets Qt6::DBus kav_posix kav_devices
  PRIVATE kav_warnings)
if(TARGET kav_launch)
  target_link_libraries(kav_qt PUBLIC kav_launch)
endif()
