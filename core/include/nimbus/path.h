#pragma once
#include "nimbus/export.h"

// Cut a path held in the caller's buffer down to its folder, file name or
// upper-case extension, in place. Narrow strings may be 512 characters long,
// wide ones 1024, terminator included; longer ones are refused unchanged.
NIMBUS_API bool skfPathToDirectory(char* path);
NIMBUS_API bool skfPathToFilename(char* path);
NIMBUS_API bool skfPathToExtension(char* path);
NIMBUS_API bool skfWPathToDirectory(char16_t* path);
NIMBUS_API bool skfWPathToFilename(char16_t* path);
NIMBUS_API bool skfWPathToExtension(char16_t* path);
