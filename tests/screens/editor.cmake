kw_bildschirmtest(test_editor ${CMAKE_CURRENT_LIST_DIR}/test_editor.cpp)
target_include_directories(test_editor PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../program)
