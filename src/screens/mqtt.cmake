# The MQTT settings dialog, the main screen's indicator and the application's part of the link.
target_sources(screens PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/MqttEinstellungen.h ${CMAKE_CURRENT_LIST_DIR}/MqttEinstellungen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Anwendung_Mqtt.cpp
)
target_link_libraries(screens PUBLIC mqtt)
