# kestrel_add_gtests(target [LABELS label...] [ENVIRONMENT NAME=value...])
# Registers the GoogleTest cases of target, found when ctest runs, with those labels and
# that environment. gtest_discover_tests would split a list given in its PROPERTIES into
# separate words (LABELS "a;b" keeps only "a"), so the properties are set afterwards by a
# script of our own, from the list of the discovered tests.
function(kestrel_add_gtests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LABELS;ENVIRONMENT")
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST TEST_LIST ${target}_TESTS)
  set(properties "")
  if(arg_LABELS)
    string(APPEND properties " LABELS [==[${arg_LABELS}]==]")
  endif()
  if(arg_ENVIRONMENT)
    string(APPEND properties " ENVIRONMENT [==[${arg_ENVIRONMENT}]==]")
  endif()
  if(properties STREQUAL "")
    return()
  endif()
  # Runs after the discovery script, which defines ${target}_TESTS once the target is built.
  set(script "${CMAKE_CURRENT_BINARY_DIR}/${target}_test_properties.cmake")
  file(WRITE "${script}"
    "if(${target}_TESTS)\n  set_tests_properties(\${${target}_TESTS} PROPERTIES${properties})\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()
