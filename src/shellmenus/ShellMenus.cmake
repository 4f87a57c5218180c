# The menu model and the folder-menu builder.
target_sources(muralto_core PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/shellmenus/MenuModel.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shellmenus/BetterMenu.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shellmenus/MenuDrawing.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shellmenus/DesktopMenu.cpp
)
