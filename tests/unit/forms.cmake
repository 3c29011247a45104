# The design tables of the three windows and their consistency checks.
kav_unit_test(forms_test ${CMAKE_CURRENT_LIST_DIR}/forms_test.cpp)
