# Writers of model files for the tests and the fuzzing seeds, and the format parser tests.
add_library(kestrel_format_fixtures STATIC
  support/formats/ms3d_writer.cpp
  support/formats/ms3d_ascii_text.cpp
  support/formats/md2_afs_writer.cpp
)
target_include_directories(kestrel_format_fixtures PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/support)

add_executable(nimbus_format_tests
  core/formats/ms3d_parser_test.cpp
  core/formats/ms3d_ascii_parser_test.cpp
  core/formats/md2_afs_parser_test.cpp
)
target_link_libraries(nimbus_format_tests PRIVATE nimbus_formats kestrel_format_fixtures GTest::gtest_main)
kestrel_add_gtests(nimbus_format_tests LABELS engine)

# The engine's model readers, which build on the parsers.
add_executable(nimbus_reader_tests
  core/readers/model_readers_test.cpp
)
target_link_libraries(nimbus_reader_tests PRIVATE nimbus kestrel_format_fixtures kestrel_test_support GTest::gtest_main)
kestrel_add_gtests(nimbus_reader_tests LABELS engine)

# The fuzzing seeds include every model format.
target_link_libraries(kestrel_seed_writer PRIVATE kestrel_format_fixtures kestrel_importer_fixtures kestrel_model_io)
