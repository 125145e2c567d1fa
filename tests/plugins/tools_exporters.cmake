# The export and tool plug-ins: their jobs without a window, then their dialogs and
# modules on Qt's offscreen platform.
add_executable(tool_jobs_tests
  plugins/toolkit/output_file_test.cpp
  plugins/lithowriter/stl_export_test.cpp
  plugins/shapetext/ms3d_ascii_export_test.cpp
  plugins/terrainer/terrain_build_test.cpp
  plugins/smoother/normals_recalc_test.cpp
  plugins/datalister/model_dump_test.cpp
)
target_include_directories(tool_jobs_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/plugins)
target_link_libraries(tool_jobs_tests PRIVATE lithowriter_core lithoreader_core shapetext_core terrainer_core
  smoother_core datalister_core nimbus kestrel_test_support GTest::gtest_main)
gtest_discover_tests(tool_jobs_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS "plugins")
