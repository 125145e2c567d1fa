# Tests of the viewer's parts that need no window.
add_executable(kestrel_model_io_tests
  viewer/model_io/kxm3_test.cpp
)
target_link_libraries(kestrel_model_io_tests PRIVATE kestrel_model_io kestrel_test_support GTest::gtest_main)
gtest_discover_tests(kestrel_model_io_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS "engine")

add_executable(kestrel_plugin_host_tests
  viewer/plugin_host/registration_test.cpp
  viewer/plugin_host/plugin_manager_test.cpp
)
target_link_libraries(kestrel_plugin_host_tests PRIVATE kestrel_plugin_host kestrel_known_model
  kestrel_plugin_fixture_paths kestrel_test_support GTest::gtest_main)
target_compile_definitions(kestrel_plugin_host_tests PRIVATE
  KESTREL_SHAPEBIN_MODULE="$<TARGET_FILE:shapebin>" KESTREL_PICTUREREADER_MODULE="$<TARGET_FILE:picturereader>")
add_dependencies(kestrel_plugin_host_tests shapebin picturereader)
gtest_discover_tests(kestrel_plugin_host_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS "viewer")
