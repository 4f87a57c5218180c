# The display modes and screen saver settings of the Windows system. The
# networking library with the password dialog is loaded by name at run time.
target_sources(muralto_win PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/systemmenus/win/WinDisplayModes.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/systemmenus/win/WinScreenSaver.cpp
)
