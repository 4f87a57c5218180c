# The placement record, the wallpaper lists and the reopen lists.
target_sources(muralto_core PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/Placement.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/StringList.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/ListStore.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/Wallpaper.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/MRUList.cpp
)
