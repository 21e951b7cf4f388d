# Review dialog of the recipe import.
target_sources(screens PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Importpruefung.h ${CMAKE_CURRENT_LIST_DIR}/Importpruefung.cpp
)
target_link_libraries(screens PUBLIC import)
