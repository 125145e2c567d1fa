# Third-party libraries. The fuzz build needs only what the engine needs.
set(OpenGL_GL_PREFERENCE GLVND)
find_package(OpenGL REQUIRED COMPONENTS OpenGL EGL)
find_package(PkgConfig REQUIRED)
pkg_check_modules(GLU REQUIRED IMPORTED_TARGET glu)
find_package(JPEG REQUIRED)

# LodePNG and FreeImage ship neither a .pc file nor a CMake config on Debian.
find_path(LODEPNG_INCLUDE_DIR lodepng.h REQUIRED)
find_library(LODEPNG_LIBRARY lodepng REQUIRED)
add_library(lodepng::lodepng UNKNOWN IMPORTED)
set_target_properties(lodepng::lodepng PROPERTIES IMPORTED_LOCATION "${LODEPNG_LIBRARY}"
                      INTERFACE_INCLUDE_DIRECTORIES "${LODEPNG_INCLUDE_DIR}")

find_path(FREEIMAGE_INCLUDE_DIR FreeImage.h REQUIRED)
find_library(FREEIMAGE_LIBRARY freeimage REQUIRED)
add_library(FreeImage::FreeImage UNKNOWN IMPORTED)
set_target_properties(FreeImage::FreeImage PROPERTIES IMPORTED_LOCATION "${FREEIMAGE_LIBRARY}"
                      INTERFACE_INCLUDE_DIRECTORIES "${FREEIMAGE_INCLUDE_DIR}")
# The engine loads the library itself when a decode first needs it.
add_library(FreeImage::Headers INTERFACE IMPORTED)
set_target_properties(FreeImage::Headers PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${FREEIMAGE_INCLUDE_DIR}")

if(NOT KESTREL_FUZZ)
  find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets OpenGL OpenGLWidgets PrintSupport Test)
  pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET libavformat libavcodec libswscale libavutil)
  if(KESTREL_BUILD_TESTS)
    find_package(GTest REQUIRED)
    include(GoogleTest)
  endif()
  if(KESTREL_BUILD_BENCH)
    find_package(benchmark REQUIRED)
  endif()
endif()
