# The viewer's document object and 3D view: rules without a window, then the view itself
# under an X server.
add_executable(kestrel_view_rules_tests viewer/view/view_rules_test.cpp viewer/scene/image_navigation_test.cpp)
target_link_libraries(kestrel_view_rules_tests PRIVATE kestrel_view_rules kestrel_test_support GTest::gtest_main)
kestrel_add_gtests(kestrel_view_rules_tests LABELS viewer)

add_executable(kestrel_view_tests viewer/view/view_widget_test.cpp viewer/view/frame_binding_test.cpp
  viewer/panels/statistics_pages_test.cpp viewer/animation/animation_controls_test.cpp
  viewer/view/view_test_main.cpp)
target_link_libraries(kestrel_view_tests PRIVATE kestrel_view_binding kestrel_format_fixtures kestrel_importer_fixtures
  kestrel_sample_writers
  kestrel_test_support Qt6::Test GTest::gtest)
target_include_directories(kestrel_view_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/viewer/view)
target_compile_definitions(kestrel_view_tests PRIVATE KESTREL_PLUGIN_FOLDER="${KESTREL_PLUGIN_DIR}"
  KESTREL_TEST_OUTPUT_DIR="${CMAKE_BINARY_DIR}/test-output/viewer_view")
add_dependencies(kestrel_view_tests shapebin picturereader lithoreader polyreader studioreader motionreader)
kestrel_add_gtests(kestrel_view_tests LABELS viewer)
