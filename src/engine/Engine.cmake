# The wallpaper engine's composing, rendering, applying and changing, and
# the command-line renderer over it.
target_sources(muralto_core PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/WallpaperCompose.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/WallpaperRender.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/WallpaperApply.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/WallpaperChanger.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/WallpaperLogos.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/StartupLogo.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/VBitmap.cpp
)
