# The wallpaper engine: composing, applying and the changer.
target_sources(muralto_unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/unit/WallpaperEngineTests.cpp)
# The Windows logos.
target_sources(muralto_unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/unit/LogoTests.cpp)
