# The display-mode and screen saver sub-menus over the host settings.
target_sources(muralto_unit_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/DisplayMenuTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/ScreenSaverMenuTests.cpp
  # The host display modes and screen saver settings: only the tests use them.
  ${CMAKE_SOURCE_DIR}/src/platform/host/HostSystemMenus.cpp
)
