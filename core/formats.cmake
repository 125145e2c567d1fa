# Parsers of the model file formats: a static library shared by the engine readers and
# the import plug-ins, which must not link the engine.
add_library(nimbus_formats STATIC
  src/formats/text_fields.cpp
  src/formats/ms3d/ms3d_parser.cpp
  src/formats/ms3d_ascii/ms3d_ascii_parser.cpp
  src/formats/md2/md2_parser.cpp
  src/formats/afs/afs_parser.cpp
  src/util/multibyte.cpp
)
target_include_directories(nimbus_formats PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/src)
target_sources(nimbus PRIVATE
  src/readers/model_file.cpp
  src/readers/ms3d_reader.cpp
  src/readers/ms3d_ascii_reader.cpp
  src/readers/md2_reader.cpp
  src/readers/animation_splitter.cpp
)
target_link_libraries(nimbus PRIVATE nimbus_formats)

set_target_properties(nimbus_formats PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
