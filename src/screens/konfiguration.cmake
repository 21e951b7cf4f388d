# Settings screen and the start-up notice.
target_sources(screens PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/HardwareAbfrage.h ${CMAKE_CURRENT_LIST_DIR}/HardwareAbfrage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HardwareConf.h ${CMAKE_CURRENT_LIST_DIR}/HardwareConf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Anwendung_Konfiguration.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Gpiodialog.h ${CMAKE_CURRENT_LIST_DIR}/Gpiodialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Kesselmodellanzeige.h ${CMAKE_CURRENT_LIST_DIR}/Kesselmodellanzeige.cpp
)
