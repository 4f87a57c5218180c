# The image window, its effects box and the program that opens it.
target_sources(muralto_win_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/ImageWindowTests.cpp
)
