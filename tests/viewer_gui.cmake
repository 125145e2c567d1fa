# The viewer's windows: the main frame, the preference store and the settings dialog. They run
# on the X server the test command starts (off screen when there is none), with settings in a
# temporary home; pictures for people to look at go to test-output/viewer-frame/.
set(KESTREL_GUI_PLUGIN_TARGETS terrainer shapebin smoother studioreader shapetext lithoreader polyreader
  lithowriter motionreader datalister picturereader)

add_library(kestrel_gui_test_main STATIC viewer/frame/gui_test_main.cpp)
target_include_directories(kestrel_gui_test_main PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/viewer/frame)
target_link_libraries(kestrel_gui_test_main PUBLIC Qt6::Widgets GTest::gtest)
target_compile_definitions(kestrel_gui_test_main PRIVATE
  KESTREL_TEST_OUTPUT="${CMAKE_BINARY_DIR}/test-output/viewer-frame")

add_executable(kestrel_settings_tests
  viewer/settings/preference_store_test.cpp
  viewer/settings/settings_dialog_test.cpp
)
target_link_libraries(kestrel_settings_tests PRIVATE kestrel_frame kestrel_gui_test_main)
target_compile_definitions(kestrel_settings_tests PRIVATE KESTREL_PLUGIN_FOLDER="${KESTREL_PLUGIN_DIR}")
add_dependencies(kestrel_settings_tests ${KESTREL_GUI_PLUGIN_TARGETS})
kestrel_add_gtests(kestrel_settings_tests LABELS viewer
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

add_executable(kestrel_frame_tests viewer/frame/main_frame_test.cpp viewer/frame/frame_placement_test.cpp
  viewer/frame/frame_toolbars_test.cpp
  viewer/commands/command_actions_test.cpp)
target_link_libraries(kestrel_frame_tests PRIVATE kestrel_view_binding kestrel_gui_test_main)
target_compile_definitions(kestrel_frame_tests PRIVATE KESTREL_PLUGIN_FOLDER="${KESTREL_PLUGIN_DIR}")
add_dependencies(kestrel_frame_tests ${KESTREL_GUI_PLUGIN_TARGETS})
kestrel_add_gtests(kestrel_frame_tests LABELS viewer)

# The file list's file operations, folder watcher and panel, on folders written by the tests.
add_executable(kestrel_browser_tests
  viewer/browser/file_operations_test.cpp
  viewer/browser/folder_watcher_test.cpp
  viewer/browser/file_list_pane_test.cpp
  viewer/browser/folder_tree_test.cpp
  viewer/browser/file_list_frame_test.cpp
)
target_link_libraries(kestrel_browser_tests PRIVATE kestrel_browser_ui kestrel_view_binding kestrel_test_support
  kestrel_format_fixtures kestrel_importer_fixtures kestrel_gui_test_main Qt6::Test)
target_compile_definitions(kestrel_browser_tests PRIVATE KESTREL_PLUGIN_FOLDER="${KESTREL_PLUGIN_DIR}"
  KESTREL_CLI="$<TARGET_FILE:kestrel-cli>")
add_dependencies(kestrel_browser_tests kestrel-cli ${KESTREL_GUI_PLUGIN_TARGETS})
kestrel_add_gtests(kestrel_browser_tests LABELS viewer)

# Snap to Clipboard and Snap to File in the window.
add_executable(kestrel_capture_tests viewer/capture/snapshot_commands_test.cpp
  viewer/capture/video_recording_test.cpp)
target_link_libraries(kestrel_capture_tests PRIVATE kestrel_view_binding kestrel_test_support kestrel_gui_test_main
  kestrel_sample_writers kestrel_clip_reader Qt6::Test)
target_compile_definitions(kestrel_capture_tests PRIVATE KESTREL_PLUGIN_FOLDER="${KESTREL_PLUGIN_DIR}")
add_dependencies(kestrel_capture_tests ${KESTREL_GUI_PLUGIN_TARGETS})
kestrel_add_gtests(kestrel_capture_tests LABELS viewer)
