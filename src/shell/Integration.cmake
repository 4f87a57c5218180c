# What the program writes into the shell at start-up, on the properties
# dialog's OK and at uninstall.
target_sources(muralto_core PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/ShellIntegration.cpp
)
