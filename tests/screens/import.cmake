# The recipe import through the real PARAMETER page and its review dialog.
kw_bildschirmtest(test_import_editor ${CMAKE_CURRENT_LIST_DIR}/test_import_editor.cpp)
target_compile_definitions(test_import_editor PRIVATE KW_IMPORTDATEIEN="${CMAKE_SOURCE_DIR}/tests/import/dateien")
