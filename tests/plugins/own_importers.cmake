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
