# The main screen, its timers and its pop-ups.
kw_bildschirmtest(test_grundbild
  ${CMAKE_CURRENT_LIST_DIR}/test_grundbild.cpp
)
