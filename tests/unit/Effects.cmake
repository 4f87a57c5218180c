# The working image, the pixel effects, the colour helpers and the preview
# fit; on Windows the same tests run on images held in sections, with the GDI
# side beside them.
target_sources(muralto_unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/unit/EffectsTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/PreviewFitTests.cpp)
if(WIN32)
  target_sources(muralto_unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/unit/EffectsWinTests.cpp)
endif()
