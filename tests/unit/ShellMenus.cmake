# The menu model, the folder-menu builder and the folder listing it reads.
target_sources(muralto_unit_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/MenuModelTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/BetterMenuTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/ListFolderTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/MenuDrawingTests.cpp
)
