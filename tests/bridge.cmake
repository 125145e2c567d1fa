# The engine's side of plug-in calls: the exchange bridge and plug-in invocation.
add_executable(nimbus_bridge_tests core/bridge/bridge_test.cpp)
target_link_libraries(nimbus_bridge_tests PRIVATE nimbus tessera kestrel_plugin_interface kestrel_known_model
  kestrel_plugin_fixture_paths GTest::gtest_main)
kestrel_add_gtests(nimbus_bridge_tests LABELS engine)
