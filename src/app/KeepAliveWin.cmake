# The keep-alive pinger: the ICMP helper library wrapper and the ping
# component over it. The helper library itself is loaded by name at run time
# (icmp.dll, or iphlpapi.dll where that is missing), so only Winsock is linked.
target_sources(muralto_win PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/app/win/ICMP.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/app/win/Ping.cpp
)
target_link_libraries(muralto_win PUBLIC ws2_32)
