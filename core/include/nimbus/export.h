#pragma once
// Symbols of the engine library are hidden unless marked for export.
#if defined(_WIN32)
#  if defined(NIMBUS_BUILDING)
#    define NIMBUS_API __declspec(dllexport)
#  else
#    define NIMBUS_API __declspec(dllimport)
#  endif
#else
#  define NIMBUS_API __attribute__((visibility("default")))
#endif
