# The brew journal's screens: resume offer through the real dialog, brew report, curve.
kw_bildschirmtest(test_journal_bildschirme
  ${CMAKE_CURRENT_LIST_DIR}/test_journal_bildschirme.cpp
)
target_link_libraries(test_journal_bildschirme PRIVATE journal)
target_include_directories(test_journal_bildschirme PRIVATE ${CMAKE_SOURCE_DIR}/tests/journal)
