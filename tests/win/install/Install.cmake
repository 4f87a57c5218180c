# The real program in a Wine prefix of its own: first start, second start,
# uninstall, and a wizard-made folder pointer opened through the extension.
# The tests skip themselves outside that prefix, so the program is not part
# of the suites above; the script makes the prefix, unpacks the release zip
# there and deletes both afterwards.
add_executable(muralto_install_tests
  install/InstallTests.cpp
  ${CMAKE_SOURCE_DIR}/tests/kelpfold/KelpfoldTestSupport.cpp
  $<TARGET_OBJECTS:muralto_resources>
)
target_include_directories(muralto_install_tests PRIVATE
  ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/tests/kelpfold ${CMAKE_SOURCE_DIR}/src/kelpfold)
target_link_libraries(muralto_install_tests PRIVATE muralto_win muralto_host_platform GTest::gtest GTest::gtest_main
  ole32 oleaut32 uuid shell32 shlwapi)
add_dependencies(muralto_install_tests Muralto kelpfold release_zip)
add_test(NAME muralto_install_tests.InstalledProgram
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install/run-in-own-prefix.sh ${CMAKE_BINARY_DIR}
          $<TARGET_FILE_DIR:muralto_install_tests>)
set_tests_properties(muralto_install_tests.InstalledProgram PROPERTIES
  PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 2 tests\\."
  FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\];\\[  SKIPPED \\]"
  RUN_SERIAL TRUE
  TIMEOUT 900)
