# The display-mode and screen saver sub-menus of the tray menu.
target_sources(muralto_core PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/systemmenus/DisplayMenu.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/systemmenus/ScreenSaverMenu.cpp
)
