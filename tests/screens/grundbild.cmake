# The main screen, its timers and its pop-ups.
kw_bildschirmtest(test_grundbild
  ${CMAKE_CURRENT_LIST_DIR}/test_grundbild.cpp
)

# Pictures of the main screen and its pop-ups for a look by eye (not a test):
#   xvfb-run -a -s "-screen 0 1280x800x24" grundbild_bildschirmfotos /tmp [Sprachnummer]
add_executable(grundbild_bildschirmfotos ${CMAKE_CURRENT_LIST_DIR}/grundbild_bildschirmfotos.cpp)
target_link_libraries(grundbild_bildschirmfotos PRIVATE screens Qt6::Test)
