kw_bildschirmtest(test_editor ${CMAKE_CURRENT_LIST_DIR}/test_editor.cpp)
