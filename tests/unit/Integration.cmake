# The shell integration over the host registry, file system and shell.
target_sources(muralto_unit_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/ShellIntegrationTests.cpp
)
