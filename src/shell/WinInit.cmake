# The WinInit.ini lines that delete the program's files at the next start of
# Windows: portable text editing, used by the uninstall.
target_sources(muralto_core PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/WinInit.cpp
)
