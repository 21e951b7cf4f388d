# Phase editor pages and the call-text window.
target_sources(screens PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Phasenblock.h ${CMAKE_CURRENT_LIST_DIR}/Phasenblock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Parameter.h ${CMAKE_CURRENT_LIST_DIR}/Parameter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Parameter2.h ${CMAKE_CURRENT_LIST_DIR}/Parameter2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Ruf_Text.h ${CMAKE_CURRENT_LIST_DIR}/Ruf_Text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Probelaufanzeige.h ${CMAKE_CURRENT_LIST_DIR}/Probelaufanzeige.cpp
)
# PROBELAUF: the dry run on the kettle model (no device: the model takes the outputs).
target_link_libraries(screens PUBLIC probelauf model_journal)
