# The keep-alive echo's request data, target host and timeout.
target_sources(muralto_core PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/app/EchoPayload.cpp
)
