# The properties dialog's window in this process, driven by messages, and
# the real program's dialog reached from its tray menu.
target_sources(muralto_win_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/OptionsDialogTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/OptionsProgramTests.cpp
)
