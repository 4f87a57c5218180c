# Image-loading tests, with fixtures made at build time by third-party
# encoders (the Windows test programs read them through Wine's Z: drive).
target_sources(muralto_unit_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/ImageTestSupport.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/BitmapTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/PcxTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/DecoderTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/PngWebpTests.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/AnymapTests.cpp
)
set(MURALTO_FIXTURES ${CMAKE_BINARY_DIR}/fixtures)
target_compile_definitions(muralto_unit_tests PRIVATE MURALTO_FIXTURES="${MURALTO_FIXTURES}")
if(NOT WIN32 OR MURALTO_RUN_UNDER_WINE)
  add_custom_command(OUTPUT ${MURALTO_FIXTURES}/fixtures.stamp
    COMMAND ${CMAKE_SOURCE_DIR}/tests/fixtures/make-fixtures.sh ${MURALTO_FIXTURES}
    DEPENDS ${CMAKE_SOURCE_DIR}/tests/fixtures/make-fixtures.sh
    COMMENT "Making image fixtures")
  add_custom_target(image_fixtures ALL DEPENDS ${MURALTO_FIXTURES}/fixtures.stamp)
  add_dependencies(muralto_unit_tests image_fixtures)
endif()
