# The keep-alive pinger against the real ICMP helper library; every echo
# goes to 127.0.0.1.
target_sources(muralto_win_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/PingTests.cpp
)
