# The MS3D and image import plug-ins.
add_executable(shapebin_tests plugins/shapebin/shapebin_test.cpp)
target_link_libraries(shapebin_tests PRIVATE shapebin_core nimbus kestrel_format_fixtures kestrel_test_support
  GTest::gtest_main)
target_compile_definitions(shapebin_tests PRIVATE KESTREL_SHAPEBIN_MODULE="$<TARGET_FILE:shapebin>")
add_dependencies(shapebin_tests shapebin)
kestrel_add_gtests(shapebin_tests LABELS plugins readers)

add_executable(picturereader_tests plugins/picturereader/picturereader_test.cpp)
target_link_libraries(picturereader_tests PRIVATE kestrel_plugin_interface tessera GTest::gtest_main ${CMAKE_DL_LIBS})
target_compile_definitions(picturereader_tests PRIVATE KESTREL_PICTUREREADER_MODULE="$<TARGET_FILE:picturereader>")
add_dependencies(picturereader_tests picturereader)
kestrel_add_gtests(picturereader_tests LABELS plugins)

# The MD2 and MS3D ASCII import plug-ins: what the host takes from them against what the
# engine's readers build from the same files, and the host finding them.
add_executable(md2_ms3d_ascii_import_tests
  plugins/morphreader/md2_import_test.cpp
  plugins/shapetextreader/ms3d_ascii_import_test.cpp
)
target_include_directories(md2_ms3d_ascii_import_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/plugins)
target_link_libraries(md2_ms3d_ascii_import_tests PRIVATE morphreader_core shapetextreader_core shapebin_core
  shapetext_core kestrel_plugin_host nimbus kestrel_format_fixtures kestrel_test_support kestrel_allocation_probe
  GTest::gtest_main
  ${CMAKE_DL_LIBS})
target_compile_definitions(md2_ms3d_ascii_import_tests PRIVATE
  KESTREL_MORPHREADER_MODULE="$<TARGET_FILE:morphreader>"
  KESTREL_SHAPETEXTREADER_MODULE="$<TARGET_FILE:shapetextreader>"
  KESTREL_PLUGIN_FOLDER="${KESTREL_PLUGIN_DIR}")
add_dependencies(md2_ms3d_ascii_import_tests morphreader shapetextreader shapebin)
kestrel_add_gtests(md2_ms3d_ascii_import_tests LABELS plugins readers)
