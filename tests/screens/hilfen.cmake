# Screens of the brewing aids.
kw_bildschirmtest(test_hilfen
  ${CMAKE_CURRENT_LIST_DIR}/test_hilfen_protokoll.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_hilfen_rechner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_hilfen_kurve.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_hilfen_texte.cpp
)

# Pictures of the screens for a look by eye (not a test):
#   xvfb-run -a -s "-screen 0 1280x800x24" hilfen_bildschirmfotos /tmp [Sprachnummer]
add_executable(hilfen_bildschirmfotos ${CMAKE_CURRENT_LIST_DIR}/hilfen_bildschirmfotos.cpp)
target_link_libraries(hilfen_bildschirmfotos PRIVATE screens Qt6::Test)
