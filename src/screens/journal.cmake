# The brew journal's screens: resume offer and brew report.
target_sources(screens PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Anwendung_Journal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Fortsetzung.h ${CMAKE_CURRENT_LIST_DIR}/Fortsetzung.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Braubericht.h ${CMAKE_CURRENT_LIST_DIR}/Braubericht.cpp
)
target_link_libraries(screens PUBLIC journal)
