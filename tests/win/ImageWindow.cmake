# The image window, its effects box and the program that opens it.
target_sources(muralto_win_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/ImageWindowTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ImageWindowProgramTests.cpp
)

# The timer of scripts/bench-window.sh: built with the tests, run only by it.
add_executable(muralto_window_time WindowTime.cpp $<TARGET_OBJECTS:muralto_resources>)
target_include_directories(muralto_window_time PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(muralto_window_time PRIVATE muralto_win muralto_host_platform)
target_link_options(muralto_window_time PRIVATE -municode)
