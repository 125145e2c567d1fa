# The version reaches the code through one generated header, included only by the files
# that show it, so a new build number recompiles only those.
set(KESTREL_VERSION_TEXT "${PROJECT_VERSION}.${KESTREL_BUILD_NUMBER}")
set(KESTREL_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/cmake/kestrel_version.h.in ${KESTREL_GENERATED_DIR}/kestrel_version.h @ONLY)

# kestrel_uses_version(<directory> <source>...)
function(kestrel_uses_version directory)
  set_source_files_properties(${ARGN} DIRECTORY ${directory}
    PROPERTIES INCLUDE_DIRECTORIES ${KESTREL_GENERATED_DIR}
               OBJECT_DEPENDS ${KESTREL_GENERATED_DIR}/kestrel_version.h)
endfunction()

kestrel_uses_version(${CMAKE_SOURCE_DIR}/viewer
  ${CMAKE_SOURCE_DIR}/viewer/app/kestrel_app.cpp
  ${CMAKE_SOURCE_DIR}/viewer/app/program_options.cpp
  ${CMAKE_SOURCE_DIR}/viewer/frame/about_dialog.cpp
  ${CMAKE_SOURCE_DIR}/viewer/frame/splash_window.cpp)
if(TARGET kestrel-cli)
  kestrel_uses_version(${CMAKE_SOURCE_DIR}/cli ${CMAKE_SOURCE_DIR}/cli/main.cpp)
endif()
