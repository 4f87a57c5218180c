# The image window's rules and the effects box's arithmetic, in both builds.
target_sources(muralto_unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/unit/ImageWindowRulesTests.cpp)
