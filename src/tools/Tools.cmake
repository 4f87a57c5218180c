# muralto-render: the engine's renderer on the command line.
add_executable(muralto-render ${CMAKE_CURRENT_SOURCE_DIR}/tools/MuraltoRender.cpp)
target_link_libraries(muralto-render PRIVATE muralto_host_platform)
if(WIN32)
  target_link_libraries(muralto-render PRIVATE muralto_win)
endif()
