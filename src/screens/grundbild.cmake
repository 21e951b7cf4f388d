# The main screen and its pop-ups.
target_sources(screens PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Grundbild.h ${CMAKE_CURRENT_LIST_DIR}/Grundbild.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Grundbild_Hilfen.h
  ${CMAKE_CURRENT_LIST_DIR}/Grundbild_Bedienung.cpp ${CMAKE_CURRENT_LIST_DIR}/Grundbild_Funktionen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Grundbild_Prozessdaten.cpp ${CMAKE_CURRENT_LIST_DIR}/Grundbild_Lampen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Grundbild_Timer.cpp ${CMAKE_CURRENT_LIST_DIR}/Grundbild_Anordnung.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Anzeigeelemente.h ${CMAKE_CURRENT_LIST_DIR}/Anzeigeelemente.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Untergrund.h ${CMAKE_CURRENT_LIST_DIR}/Untergrund.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BraumeisterRuf.h ${CMAKE_CURRENT_LIST_DIR}/BraumeisterRuf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WarnungDS1820.h ${CMAKE_CURRENT_LIST_DIR}/WarnungDS1820.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Alarm_USB.h ${CMAKE_CURRENT_LIST_DIR}/Alarm_USB.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Hinweisfenster.h ${CMAKE_CURRENT_LIST_DIR}/Hinweisfenster.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Anwendung_Fenster.cpp
)
