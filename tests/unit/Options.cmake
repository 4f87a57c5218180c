# The list page's row operations, SaveList and the dialog's loading and
# saving over the host registry.
target_sources(muralto_unit_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/ListRowsTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/ListEditorTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/OptionsModelTests.cpp
)
