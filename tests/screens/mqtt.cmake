# The MQTT dialog, the indicator and remote commands in the real program, against a real broker.
kw_bildschirmtest(test_mqtt_bildschirme
  ${CMAKE_CURRENT_LIST_DIR}/test_mqtt_bildschirme.cpp
  ${CMAKE_SOURCE_DIR}/tests/mqtt/Testbroker.cpp
)
