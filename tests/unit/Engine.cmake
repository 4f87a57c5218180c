# The wallpaper engine: composing, applying and the changer.
target_sources(muralto_unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/unit/WallpaperEngineTests.cpp)
# One change at a time, and the changer's random seed.
target_sources(muralto_unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/unit/ChangeGuardTests.cpp)
# The Windows logos.
target_sources(muralto_unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/unit/LogoTests.cpp)
# Undefined behaviour found by the sanitized host build fails the run.
target_sources(muralto_unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/unit/SanitizerOptions.cpp)
