# What the user sees, on the offscreen platform with only the fonts the README
# installs: a private fontconfig file lists the one font folder the program's
# face comes from (with the system's usual rules for choosing among faces), so
# a caption measured here is measured in that face. The end-to-end look uses
# the same file.
set(KAV_TEST_FONTS ${CMAKE_BINARY_DIR}/test-fonts)
file(MAKE_DIRECTORY ${KAV_TEST_FONTS}/cache)
file(WRITE ${KAV_TEST_FONTS}/fonts.conf
  "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
  "  <dir>/usr/share/fonts/truetype/liberation2</dir>\n"
  "  <include ignore_missing=\"yes\">/etc/fonts/conf.d</include>\n"
  "  <cachedir>${KAV_TEST_FONTS}/cache</cachedir>\n</fontconfig>\n")

add_executable(appearance_test ${CMAKE_CURRENT_LIST_DIR}/appearance_test.cpp ${CMAKE_CURRENT_LIST_DIR}/gui_main.cpp)
# Qt's private GUI headers let the test turn accessibility on, as a screen reader would.
target_link_libraries(appearance_test PRIVATE kav_platform kav_resources kav_test_support Qt6::GuiPrivate Qt6::Test
  GTest::gtest kav_warnings)
target_compile_definitions(appearance_test PRIVATE KAV_TEST_FONTCONFIG="${KAV_TEST_FONTS}/fonts.conf")
# Once for each widget style Debian ships for Qt 6: each pads its controls
# its own way, and no text may be cut in any.
foreach(style Fusion Windows Adwaita Adwaita-Dark)
  gtest_discover_tests(appearance_test DISCOVERY_MODE PRE_TEST TEST_PREFIX "${style}."
    PROPERTIES TIMEOUT 120 LABELS gui
    ENVIRONMENT "XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime;QT_STYLE_OVERRIDE=${style}")
endforeach()

# Qt's dialogs in Swedish under a locale that is not Swedish.
add_executable(translation_test ${CMAKE_CURRENT_LIST_DIR}/translation_test.cpp ${CMAKE_CURRENT_LIST_DIR}/gui_main.cpp)
target_link_libraries(translation_test PRIVATE kav_platform GTest::gtest kav_warnings)
target_compile_definitions(translation_test PRIVATE KAV_TEST_LOCALE="C.UTF-8")
gtest_discover_tests(translation_test DISCOVERY_MODE PRE_TEST
  PROPERTIES TIMEOUT 60 LABELS gui ENVIRONMENT "XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime")
