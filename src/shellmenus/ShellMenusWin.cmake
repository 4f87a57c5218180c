# The Windows side of the shell menus: running a shell item's default
# command, the system image list lookups and the desktop folder's items.
target_sources(muralto_win PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/shellmenus/win/ItemProp.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shellmenus/win/SystemImageList.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shellmenus/win/DesktopItems.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shellmenus/win/MenuImages.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shellmenus/win/MenuHost.cpp
)
