# The colour dialog with its screen pick through the desktop portal; the
# portal's answer arrives as a D-Bus signal, which needs a moc-built slot.
add_library(kav_colour_dialog STATIC qt/ColourDialog.cpp qt/PortalColourPick.cpp)
set_target_properties(kav_colour_dialog PROPERTIES AUTOMOC ON)
target_include_directories(kav_colour_dialog PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(kav_colour_dialog PUBLIC Qt6::Widgets Qt6::DBus PRIVATE kav_warnings)

# The Qt/Linux platform and the renderer of the model.
add_library(kav_qt STATIC
  qt/CaptionButton.cpp
  qt/ClientArea.cpp
  qt/ClientAreaAccessible.cpp
  qt/Convert.cpp
  qt/FormView.cpp
  qt/LogbookListView.cpp
  qt/ProgramEnd.cpp
  qt/ProgramFolder.cpp
  qt/ProgramIcon.cpp
  qt/QtPlatform.cpp
  qt/Renderer.cpp
  qt/SingleInstance.cpp
  qt/TextFit.cpp
  qt/TimerDriver.cpp
  qt/Translations.cpp
  qt/X11Hints.cpp)
target_include_directories(kav_qt PUBLIC ${PROJECT_SOURCE_DIR})
find_package(PkgConfig REQUIRED)
pkg_check_modules(KAV_XCB REQUIRED IMPORTED_TARGET xcb)
target_link_libraries(kav_qt PUBLIC kav_core Qt6::Widgets Qt6::DBus kav_posix kav_devices kav_colour_dialog
  PRIVATE kav_warnings PkgConfig::KAV_XCB)
if(TARGET kav_launch)
  target_link_libraries(kav_qt PUBLIC kav_launch)
endif()

# The program's additions to Qt's Swedish translation, compiled at build time
# and built into the program.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)
qt_add_lrelease(kav_qt TS_FILES ${CMAKE_CURRENT_SOURCE_DIR}/qt/translations/kavrilon_qt_sv.ts
  QM_FILES_OUTPUT_VARIABLE kav_qm_files)
qt_add_resources(kav_qt kav_translations PREFIX /kavrilon/i18n BASE ${CMAKE_CURRENT_BINARY_DIR}
  FILES ${kav_qm_files})
