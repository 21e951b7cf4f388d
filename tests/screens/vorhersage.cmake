# The main screen's predicted end and the report's predicted against actual.
kw_bildschirmtest(test_vorhersage_bildschirm
  ${CMAKE_CURRENT_LIST_DIR}/test_vorhersage.cpp
)
