# The WinInit.ini editing of the uninstall, as text.
target_sources(muralto_unit_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/WinInitTests.cpp
)
