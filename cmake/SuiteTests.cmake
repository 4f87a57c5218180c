# Windows test programs run under Wine, where starting a process costs far
# more than most tests take. So each GoogleTest suite of a program is one
# ctest entry, run as one process with --gtest_filter: failures still name
# their test in the output, and ctest names the suite.
#
# The suites are read from the program's sources at configure time (lines
# that begin with TEST, TEST_F or TEST_P). A suite passes only when
# GoogleTest itself reports at least one test passed and none failed: a
# process that Wine ends early can still exit with 0.
function(muralto_add_suite_tests target)
  cmake_parse_arguments(ARG "RUN_SERIAL" "" "" ${ARGN})
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(suites)
  foreach(source IN LISTS sources)
    if(source MATCHES "^\\$<" OR NOT source MATCHES "\\.cpp$")
      continue()
    endif()
    if(NOT IS_ABSOLUTE "${source}")
      set(source "${source_dir}/${source}")
    endif()
    file(STRINGS "${source}" lines REGEX "^TEST(_F|_P)?\\(")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^TEST(_F|_P)?\\( *([A-Za-z0-9_]+).*" "\\2" suite "${line}")
      list(APPEND suites ${suite})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES suites)
  if(NOT suites)
    message(FATAL_ERROR "${target} has no test suites")
  endif()
  foreach(suite IN LISTS suites)
    # Value-parameterised suites are named Prefix/Suite.
    add_test(NAME ${target}.${suite} COMMAND ${target} "--gtest_filter=${suite}.*:*/${suite}.*")
    set_tests_properties(${target}.${suite} PROPERTIES
      PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* tests?\\."
      FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]"
      TIMEOUT 600)
    if(ARG_RUN_SERIAL)
      set_tests_properties(${target}.${suite} PROPERTIES RUN_SERIAL TRUE)
    endif()
  endforeach()
endfunction()
