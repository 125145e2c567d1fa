# Tests of the viewer's parts that need no window.
add_executable(kestrel_model_io_tests
  viewer/model_io/kxm3_test.cpp
)
target_link_libraries(kestrel_model_io_tests PRIVATE kestrel_model_io kestrel_test_support GTest::gtest_main)
gtest_discover_tests(kestrel_model_io_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS "engine")
