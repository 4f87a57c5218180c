# The Windows side of the desktop icons: the shell's list view across
# processes, the desktop's shell view and the choice between the two, the
# desktop metrics and the auto-arrange warning.
target_sources(muralto_win PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/desktop/win/DesktopListView.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/desktop/win/ShellViewDesktop.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/desktop/win/IconWarn.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/WinDesktopMetrics.cpp
)
