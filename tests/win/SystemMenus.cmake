# The display-mode and screen saver sub-menus over the real system settings
# (read and tried only: nothing here switches the display or a setting).
target_sources(muralto_win_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/SystemMenusWinTests.cpp
)
