# The folder pointer wizard's window, and the shell's folder pickers that the
# prompts show for it.
target_sources(muralto_win PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/win/FPWizard.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/FolderPicker.cpp
)
