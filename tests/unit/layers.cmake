# Every include of the program's sources runs down the table of layers, and no
# files include each other in a circle.
add_test(NAME Layers.IncludesRunDownwardInNoCircle
  COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/layers/check-layers.py ${PROJECT_SOURCE_DIR})
set_tests_properties(Layers.IncludesRunDownwardInNoCircle PROPERTIES TIMEOUT 30 LABELS unit)
