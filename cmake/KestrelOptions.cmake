# Compiler warnings, sanitizers and the compiler cache, applied to every target.
find_program(KESTREL_CCACHE ccache)
if(KESTREL_CCACHE)
  set(CMAKE_C_COMPILER_LAUNCHER ${KESTREL_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${KESTREL_CCACHE})
endif()

add_compile_options(-Wall -Wextra)

if(KESTREL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(KESTREL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KESTREL_FUZZ needs clang (CXX=clang++-14)")
  endif()
  # Undefined behaviour aborts the run, so that the fuzzer reports it as a finding.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # clang leaves the sanitizer runtime to the executable, so shared libraries must be
  # allowed undefined symbols; this comes last, after each target's own --no-undefined.
  string(APPEND CMAKE_CXX_CREATE_SHARED_LIBRARY " -Wl,-z,undefs")
  string(APPEND CMAKE_CXX_CREATE_SHARED_MODULE " -Wl,-z,undefs")
endif()
