# The main screen's predicted end of the running program (the dry run on a thread of its own).
find_package(Qt6 REQUIRED COMPONENTS Concurrent)
target_sources(screens PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Vorhersageanzeige.h ${CMAKE_CURRENT_LIST_DIR}/Vorhersageanzeige.cpp
)
target_link_libraries(screens PUBLIC probelauf model_journal Qt6::Concurrent)
