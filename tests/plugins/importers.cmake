# The mesh and motion importers: parsers and conversions without loading a library,
# then the plug-in modules as a host loads them.
add_library(kestrel_importer_fixtures STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/support/formats/stl_writer.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/formats/off_writer.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/formats/bvh_writer.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/formats/studio3ds_writer.cpp
)
target_include_directories(kestrel_importer_fixtures PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/support)

add_executable(importer_tests
  plugins/lithoreader/stl_parser_test.cpp
  plugins/lithoreader/stl_import_test.cpp
  plugins/polyreader/off_reader_test.cpp
  plugins/motionreader/bvh_reader_test.cpp
  plugins/studioreader/studio3ds_reader_test.cpp
  plugins/importkit/corner_normals_test.cpp
  plugins/importkit/side_by_side_test.cpp
  plugins/importer_plugins_test.cpp
  plugins/hostile_imports_test.cpp
)
target_include_directories(importer_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/plugins)
target_link_libraries(importer_tests PRIVATE lithoreader_core polyreader_core motionreader_core studioreader_core
  kestrel_plugin_interface kestrel_importer_fixtures kestrel_test_support kestrel_allocation_probe nimbus_files
  GTest::gtest_main ${CMAKE_DL_LIBS})
foreach(plugin lithoreader polyreader motionreader studioreader)
  string(TOUPPER ${plugin} upper)
  target_compile_definitions(importer_tests PRIVATE KESTREL_IMPORTER_${upper}="$<TARGET_FILE:${plugin}>")
  add_dependencies(importer_tests ${plugin})
endforeach()
kestrel_add_gtests(importer_tests LABELS plugins readers)
