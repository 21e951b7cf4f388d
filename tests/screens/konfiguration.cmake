# The settings screen, the start-up notice and the exit paths.
kw_bildschirmtest(test_konfiguration
  ${CMAKE_CURRENT_LIST_DIR}/test_konfiguration.cpp
)

# Pictures of the two screens for a look by eye (not a test):
#   xvfb-run -a -s "-screen 0 1280x800x24" konfiguration_bildschirmfotos /tmp [Sprachnummer]
add_executable(konfiguration_bildschirmfotos ${CMAKE_CURRENT_LIST_DIR}/konfiguration_bildschirmfotos.cpp)
target_link_libraries(konfiguration_bildschirmfotos PRIVATE screens Qt6::Test)

# The kettle model's dialog, the learning after a brew and the model simulation.
kw_bildschirmtest(test_kesselmodell
  ${CMAKE_CURRENT_LIST_DIR}/test_kesselmodell.cpp
)
target_link_libraries(test_kesselmodell PRIVATE kesselsimulation)
