# The data files: the install puts the desktop entry, the AppStream metadata,
# the hicolor icons and the program's page where desktops look for them and
# the validators accept them; the compiled-in pictures have the sizes their
# windows are laid out for.
add_test(NAME Install.PutsDesktopEntryMetadataIconsAndPageInPlace
  COMMAND sh ${PROJECT_SOURCE_DIR}/tests/install/check-install.sh ${CMAKE_BINARY_DIR})
set_tests_properties(Install.PutsDesktopEntryMetadataIconsAndPageInPlace
  PROPERTIES TIMEOUT 120 LABELS unit)

add_test(NAME Pictures.HaveTheSizesOfTheirWindows
  COMMAND sh ${PROJECT_SOURCE_DIR}/tests/install/check-pictures.sh ${PROJECT_SOURCE_DIR}/data)
set_tests_properties(Pictures.HaveTheSizesOfTheirWindows PROPERTIES TIMEOUT 60 LABELS unit)

add_test(NAME Packages.RunListIsPartOfTestListWithoutTestTools
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/check-package-lists.sh ${PROJECT_SOURCE_DIR}/dev.sh)
set_tests_properties(Packages.RunListIsPartOfTestListWithoutTestTools PROPERTIES TIMEOUT 30 LABELS unit)
