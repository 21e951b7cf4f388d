# Exceptions at the event boundary, under the program's own QApplication.
add_executable(test_schutz ${CMAKE_CURRENT_LIST_DIR}/test_schutz.cpp)
target_link_libraries(test_schutz PRIVATE screens Qt6::Test GTest::gtest)
gtest_discover_tests(test_schutz PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=UTC;LC_ALL=C.UTF-8"
                     DISCOVERY_TIMEOUT 30)
