#pragma once
// Writing the model of an exchange record as a MilkShape 3D ASCII file: one step per
// mesh, material and joint. Cancel does not stop it; the file is always complete.

#include <string>

#include "ms3d_ascii_options.h"
#include "plugframe/job_progress.h"

namespace kestrel::ms3dascii {

enum class ExportResult {
    Written,
    WriteError,  // "Error writing file!"; the target is left as it was
};

ExportResult ExportMs3dAscii(const skModel* model, const std::string& path, const ExportOptions& options,
                             CJobProgress& progress);

} // namespace kestrel::ms3dascii
