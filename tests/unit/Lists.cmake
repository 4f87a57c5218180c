# The placement record, the wallpaper lists and the reopen lists. The suite
# over a registry factory also runs against the real registry in the Windows
# tests: MURALTO_LISTS_REGISTRY_SUITE names its sources for them.
set(MURALTO_LISTS_REGISTRY_SUITE
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/ListsOnRegistry.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/PlacementTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/WallpaperListsTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/MRURewriteTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/ReopenListTests.cpp
)
target_sources(muralto_unit_tests PRIVATE
  ${MURALTO_LISTS_REGISTRY_SUITE}
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/ListsOnHostRegistryTests.cpp
)
