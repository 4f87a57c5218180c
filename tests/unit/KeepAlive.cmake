# The keep-alive echo's request data.
target_sources(muralto_unit_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/EchoPayloadTests.cpp
)
