# Tests of the viewer's parts that need no window.
add_executable(kestrel_model_io_tests
  viewer/model_io/kxm3_test.cpp
)
target_link_libraries(kestrel_model_io_tests PRIVATE kestrel_model_io kestrel_test_support GTest::gtest_main)
kestrel_add_gtests(kestrel_model_io_tests LABELS engine)

add_executable(kestrel_plugin_host_tests
  viewer/plugin_host/registration_test.cpp
  viewer/plugin_host/plugin_manager_test.cpp
  viewer/plugin_host/importer_probe_test.cpp
)
target_link_libraries(kestrel_plugin_host_tests PRIVATE kestrel_plugin_host kestrel_known_model
  kestrel_plugin_fixture_paths kestrel_test_support GTest::gtest_main)
target_compile_definitions(kestrel_plugin_host_tests PRIVATE
  KESTREL_SHAPEBIN_MODULE="$<TARGET_FILE:shapebin>" KESTREL_PICTUREREADER_MODULE="$<TARGET_FILE:picturereader>")
add_dependencies(kestrel_plugin_host_tests shapebin picturereader)
kestrel_add_gtests(kestrel_plugin_host_tests LABELS viewer)

add_executable(kestrel_document_tests viewer/document/document_open_test.cpp viewer/document/sample_models_test.cpp
  viewer/document/animation_drawing_test.cpp viewer/scene/image_drawing_test.cpp
  viewer/document/content_sniffer_test.cpp viewer/document/document_sniff_open_test.cpp)
target_link_libraries(kestrel_document_tests PRIVATE kestrel_document kestrel_format_fixtures kestrel_importer_fixtures kestrel_sample_writers
  kestrel_test_support GTest::gtest_main)
target_compile_definitions(kestrel_document_tests PRIVATE KESTREL_PLUGIN_FOLDER="${KESTREL_PLUGIN_DIR}")
add_dependencies(kestrel_document_tests shapebin picturereader lithoreader polyreader studioreader motionreader)
kestrel_add_gtests(kestrel_document_tests LABELS viewer)

# The command line, run as a user runs it.
add_executable(kestrel_cli_tests cli/kestrel_cli_test.cpp cli/convert_command_test.cpp cli/video_command_test.cpp)
target_link_libraries(kestrel_cli_tests PRIVATE nimbus kestrel_format_fixtures kestrel_importer_fixtures
  kestrel_sample_writers kestrel_clip_reader kestrel_test_support GTest::gtest_main)
target_compile_definitions(kestrel_cli_tests PRIVATE KESTREL_CLI="$<TARGET_FILE:kestrel-cli>")
# Conversion reads every sample back, so every importer is needed.
add_dependencies(kestrel_cli_tests kestrel-cli shapebin picturereader lithoreader studioreader polyreader
  motionreader morphreader shapetextreader)
kestrel_add_gtests(kestrel_cli_tests LABELS cli)

# Start-up memory settings; a process of its own, as they change its allocator.
add_executable(kestrel_platform_tests viewer/platform/memory_reuse_test.cpp viewer/platform/local_path_test.cpp)
target_link_libraries(kestrel_platform_tests PRIVATE kestrel_platform kestrel_local_path kestrel_test_support
  GTest::gtest_main)
kestrel_add_gtests(kestrel_platform_tests LABELS viewer)

# The command registry, without a window.
add_executable(kestrel_commands_tests viewer/commands/command_registry_test.cpp)
target_link_libraries(kestrel_commands_tests PRIVATE kestrel_commands GTest::gtest_main)
kestrel_add_gtests(kestrel_commands_tests LABELS viewer)

# The main window's placement and toolbar rows, decided without widgets.
add_executable(kestrel_frame_rules_tests viewer/frame/window_placement_test.cpp)
target_link_libraries(kestrel_frame_rules_tests PRIVATE kestrel_frame_rules GTest::gtest_main)
kestrel_add_gtests(kestrel_frame_rules_tests LABELS viewer)

# The statistics panel's tree, selection rules and information lines, without a window.
add_executable(kestrel_panels_tests
  viewer/panels/object_tree_test.cpp
  viewer/panels/mesh_selection_test.cpp
  viewer/panels/information_lines_test.cpp
)
target_link_libraries(kestrel_panels_tests PRIVATE kestrel_panels GTest::gtest_main)
kestrel_add_gtests(kestrel_panels_tests LABELS viewer)

# The animation controls and status panes, decided without a window.
add_executable(kestrel_animation_tests
  viewer/animation/animation_rules_test.cpp
  viewer/animation/seek_and_panes_test.cpp
  viewer/animation/model_animation_test.cpp
)
target_link_libraries(kestrel_animation_tests PRIVATE kestrel_animation kestrel_sample_writers kestrel_test_support
  GTest::gtest_main)
kestrel_add_gtests(kestrel_animation_tests LABELS viewer)

# The file list's thumbnails: their geometry, and pictures drawn off screen against references.
add_executable(kestrel_thumbnail_tests viewer/thumbnail/thumbnail_geometry_test.cpp viewer/thumbnail/picture_test.cpp
  viewer/thumbnail/thumbnail_picture_test.cpp)
target_link_libraries(kestrel_thumbnail_tests PRIVATE kestrel_thumbnail kestrel_sample_writers kestrel_test_support Qt6::Gui
  GTest::gtest_main)
target_compile_definitions(kestrel_thumbnail_tests PRIVATE KESTREL_PLUGIN_FOLDER="${KESTREL_PLUGIN_DIR}"
  KESTREL_THUMBNAIL_REFERENCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}/viewer/thumbnail/reference"
  KESTREL_THUMBNAIL_OUTPUT_DIR="${CMAKE_BINARY_DIR}/test-output/thumbnail")
add_dependencies(kestrel_thumbnail_tests shapebin motionreader studioreader)
kestrel_add_gtests(kestrel_thumbnail_tests LABELS viewer)

# Printing: the page rules without a printer, then whole pages printed to PDF from a window.
add_executable(kestrel_print_rules_tests viewer/printing/print_layout_test.cpp)
target_link_libraries(kestrel_print_rules_tests PRIVATE kestrel_print_rules GTest::gtest_main)
kestrel_add_gtests(kestrel_print_rules_tests LABELS viewer)

add_executable(kestrel_print_tests viewer/printing/print_pdf_test.cpp viewer/view/view_test_main.cpp)
target_link_libraries(kestrel_print_tests PRIVATE kestrel_view_binding kestrel_format_fixtures kestrel_sample_writers
  kestrel_test_support Qt6::Test GTest::gtest)
target_include_directories(kestrel_print_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/viewer/view)
target_compile_definitions(kestrel_print_tests PRIVATE KESTREL_PLUGIN_FOLDER="${KESTREL_PLUGIN_DIR}"
  KESTREL_TEST_OUTPUT_DIR="${CMAKE_BINARY_DIR}/test-output/viewer_printing")
add_dependencies(kestrel_print_tests shapebin picturereader lithoreader)
kestrel_add_gtests(kestrel_print_tests LABELS viewer)

# The file list's rules, without a window.
add_executable(kestrel_browser_rules_tests viewer/browser/file_list_rules_test.cpp
  viewer/browser/folder_changes_test.cpp)
target_link_libraries(kestrel_browser_rules_tests PRIVATE kestrel_browser_rules kestrel_test_support GTest::gtest_main)
kestrel_add_gtests(kestrel_browser_rules_tests LABELS viewer)

# The thumbnail files: their bytes, slot reuse and starting afresh after damage.
add_executable(kestrel_thumbdb_tests viewer/thumbdb/thumb_database_test.cpp)
target_link_libraries(kestrel_thumbdb_tests PRIVATE kestrel_thumbdb GTest::gtest_main)
kestrel_add_gtests(kestrel_thumbdb_tests LABELS viewer)

# Where screenshots go and what they hold, without a window.
add_executable(kestrel_capture_rules_tests viewer/capture/snapshot_rules_test.cpp
  viewer/capture/avi_settings_test.cpp)
target_link_libraries(kestrel_capture_rules_tests PRIVATE kestrel_capture_rules kestrel_test_support GTest::gtest_main)
kestrel_add_gtests(kestrel_capture_rules_tests LABELS viewer)

# AVI recording through FFmpeg: every codec's clip read back, and failures that leave nothing.
# Reads videos back for the writer's and the recording's tests.
add_library(kestrel_clip_reader STATIC viewer/capture/clip_reader.cpp)
target_include_directories(kestrel_clip_reader PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/viewer/capture)
target_link_libraries(kestrel_clip_reader PUBLIC PkgConfig::FFMPEG)
add_executable(kestrel_video_tests viewer/capture/avi_writer_test.cpp)
target_link_libraries(kestrel_video_tests PRIVATE kestrel_video kestrel_clip_reader kestrel_test_support
  PkgConfig::FFMPEG GTest::gtest_main)
kestrel_add_gtests(kestrel_video_tests LABELS viewer)
