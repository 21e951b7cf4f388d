# Every language on every screen.
kw_bildschirmtest(test_sprachen
  ${CMAKE_CURRENT_LIST_DIR}/test_sprachen.cpp
)
