# Screens of the brewing aids.
target_sources(screens PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Hilfsfelder.h ${CMAKE_CURRENT_LIST_DIR}/Hilfsfelder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Brauprotokoll.h ${CMAKE_CURRENT_LIST_DIR}/Brauprotokoll.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Bittere.h ${CMAKE_CURRENT_LIST_DIR}/Bittere.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Alkohol.h ${CMAKE_CURRENT_LIST_DIR}/Alkohol.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Berechnungen.h ${CMAKE_CURRENT_LIST_DIR}/Berechnungen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Jodprobe.h ${CMAKE_CURRENT_LIST_DIR}/Jodprobe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Information.h ${CMAKE_CURRENT_LIST_DIR}/Information.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TEMPZEITKURV.h ${CMAKE_CURRENT_LIST_DIR}/TEMPZEITKURV.cpp
)
