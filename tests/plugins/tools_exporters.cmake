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
kestrel_add_gtests(tool_jobs_tests LABELS plugins)

if(TARGET Qt6::Widgets)
  add_executable(tool_dialogs_tests
    plugins/frame/dialog_test_main.cpp
    plugins/lithowriter/stl_dialog_test.cpp
    plugins/shapetext/ms3d_ascii_dialog_test.cpp
    plugins/terrainer/terrainer_dialog_test.cpp
    plugins/smoother/smoother_dialog_test.cpp
    plugins/datalister/dump_runner_test.cpp
    plugins/tool_plugins_test.cpp
  )
  target_include_directories(tool_dialogs_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/plugins
    ${CMAKE_CURRENT_SOURCE_DIR}/plugins/frame)
  target_link_libraries(tool_dialogs_tests PRIVATE lithowriter_ui shapetext_ui terrainer_ui smoother_ui datalister_ui
    kestrel_test_support Qt6::Test GTest::gtest ${CMAKE_DL_LIBS})
  set_target_properties(tool_dialogs_tests PROPERTIES AUTOMOC ON)
  foreach(plugin lithowriter shapetext terrainer smoother datalister)
    string(TOUPPER ${plugin} upper)
    target_compile_definitions(tool_dialogs_tests PRIVATE KESTREL_MODULE_${upper}="$<TARGET_FILE:${plugin}>")
    add_dependencies(tool_dialogs_tests ${plugin})
  endforeach()
  kestrel_add_gtests(tool_dialogs_tests LABELS plugins
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
