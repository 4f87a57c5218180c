# The desktop icons: the component, the grid and layouts, the stored choice,
# the list-view structures for the shell's process and the shell-view
# route's placing rules.
target_sources(muralto_core PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/desktop/DesktopIcons.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/desktop/IconLayouts.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/desktop/IconArrangement.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/desktop/ListViewLayout.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/desktop/ShellViewDesktop.cpp
)
