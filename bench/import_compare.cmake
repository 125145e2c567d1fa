# The import comparison against assimp and the STL file writer used by compare-cli.sh.
# Included from bench/CMakeLists.txt after kestrel_bench is defined. assimp is for the
# benchmark only: without it the comparison half is left out.
find_package(assimp QUIET)

target_sources(kestrel_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/import_compare_bench.cpp)
target_link_libraries(kestrel_bench PRIVATE nimbus kestrel_plugin_interface kestrel_offscreen
  kestrel_importer_fixtures kestrel_test_support ${CMAKE_DL_LIBS})
target_compile_definitions(kestrel_bench PRIVATE
  KESTREL_BENCH_LITHOREADER="$<TARGET_FILE:lithoreader>"
  KESTREL_BENCH_POLYREADER="$<TARGET_FILE:polyreader>")
add_dependencies(kestrel_bench lithoreader polyreader)
if(assimp_FOUND)
  target_link_libraries(kestrel_bench PRIVATE assimp::assimp)
  target_compile_definitions(kestrel_bench PRIVATE KESTREL_BENCH_ASSIMP=1)
endif()

add_executable(kestrel_bench_terrain_stl ${CMAKE_CURRENT_LIST_DIR}/terrain_stl_writer.cpp)
target_link_libraries(kestrel_bench_terrain_stl PRIVATE kestrel_importer_fixtures)
