# The folder pointer and the wizard's steps over a recording shell.
target_sources(muralto_unit_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/FolderPointerWizardTests.cpp
)
