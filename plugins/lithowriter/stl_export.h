#pragma once
// Writing the model of an exchange record as an STL file, binary or ASCII. Every
// triangle of every group is written in order, at its skinned position.

#include <string>

#include "plugframe/job_progress.h"
#include "tessera/tessera.h"

namespace kestrel::stl {

struct ExportOptions {
    bool binary = true;
};

enum class ExportResult {
    Written,
    WriteError,  // "Error writing file!"; the target is left as it was
};

// Writes all triangles, one progress step each; Cancel does not stop it, so the file
// is always complete. path is UTF-8.
ExportResult ExportStl(const skModel* model, const std::string& path, const ExportOptions& options,
                       CJobProgress& progress);

} // namespace kestrel::stl
