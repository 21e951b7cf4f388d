# The Debian changelog's newest entry carries the CMake project's version.
file(STRINGS ${QUELLE}/debian/changelog kopf LIMIT_COUNT 1)
string(REGEX MATCH "^kesselwerk \\(([^)]+)\\)" _ "${kopf}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "debian/changelog has version '${CMAKE_MATCH_1}', the project ${VERSION}")
endif()
