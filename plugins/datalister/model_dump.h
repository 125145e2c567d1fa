#pragma once
// Writing everything an exchange record holds about a model into a UTF-8 text file
// (with a byte order mark): counts, meshes with their elements, materials, joints
// with their keys, and animation sequences.

#include <string>

#include "plugframe/job_progress.h"
#include "tessera/tessera.h"

namespace kestrel::datalister {

enum class DumpResult {
    Written,     // also after Cancel: the item loops stop, the section headers follow
    WriteError,  // "Error writing file!"; the target is left as it was
};

DumpResult DumpModel(const skModel* model, const std::string& path, CJobProgress& progress);

} // namespace kestrel::datalister
