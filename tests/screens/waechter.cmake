# The program with the real output guard and the test device.
kw_bildschirmtest(test_waechter_programm
  ${CMAKE_CURRENT_LIST_DIR}/test_waechter_programm.cpp
)
target_compile_definitions(test_waechter_programm PRIVATE KW_WAECHTER_PFAD="$<TARGET_FILE:kesselwerk-waechter>")
add_dependencies(test_waechter_programm kesselwerk-waechter)
