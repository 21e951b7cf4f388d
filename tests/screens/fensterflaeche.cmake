# Every screen fits small displays: it scrolls and is bounded to the display.
kw_bildschirmtest(test_fensterflaeche
  ${CMAKE_CURRENT_LIST_DIR}/test_fensterflaeche.cpp
)
