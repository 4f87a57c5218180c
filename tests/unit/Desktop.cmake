# The desktop icons over a fake desktop, the grid and layouts, and the
# list-view structures for the shell's process.
target_sources(muralto_unit_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/IconLayoutTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/DesktopIconsTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/ListViewLayoutTests.cpp
)
