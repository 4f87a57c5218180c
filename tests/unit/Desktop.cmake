# The desktop icons over a fake desktop, the grid and layouts, the
# list-view structures for the shell's process, and the shell-view route
# against the list-view route over one desktop.
target_sources(muralto_unit_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/IconLayoutTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/DesktopIconsTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/ListViewLayoutTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/ShellViewDesktopTests.cpp
)
