# The logbook store: the Windows-1252 codec and the line format, the
# Logbook's load and save, and the atomic file service itself.
kav_unit_test(logbook_store_test
  ${CMAKE_CURRENT_LIST_DIR}/logbook_codec_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logbook_store_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logbook_atomic_file_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logbook_file_safety_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logbook_held_advice_test.cpp)

# Saves on the Logbook's writing thread, and the line index of a loaded file.
kav_unit_test(logbook_background_save_test ${CMAKE_CURRENT_LIST_DIR}/logbook_background_save_test.cpp)

# The logbook read while the program starts, and when it is handed over.
kav_unit_test(logbook_read_ahead_test ${CMAKE_CURRENT_LIST_DIR}/logbook_read_ahead_test.cpp)

# Another program's change to the logbook during the session, met at the next save.
kav_unit_test(logbook_merge_test ${CMAKE_CURRENT_LIST_DIR}/logbook_merge_test.cpp)

# A change another program makes while a save is being written.
kav_unit_test(logbook_mid_save_test ${CMAKE_CURRENT_LIST_DIR}/logbook_mid_save_test.cpp)

# The reader under an address space limit, built without the sanitizers (the
# test says why), with the reader's own source.
add_executable(logbook_memory_test ${CMAKE_CURRENT_LIST_DIR}/logbook_memory_test.cpp
  ${PROJECT_SOURCE_DIR}/logbook/AtomicFile.cpp ${PROJECT_SOURCE_DIR}/tests/support/TempDir.cpp)
target_compile_options(logbook_memory_test PRIVATE -fno-sanitize=all)
target_link_options(logbook_memory_test PRIVATE -fno-sanitize=all)
target_include_directories(logbook_memory_test PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(logbook_memory_test PRIVATE GTest::gtest_main kav_warnings)
gtest_discover_tests(logbook_memory_test DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 60 LABELS unit)
