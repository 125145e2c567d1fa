#pragma once
// What the MS3D ASCII export writes, and the checks made before it starts.

#include <vector>

#include "tessera/tessera.h"

namespace kestrel::ms3dascii {

struct ExportOptions {
    bool meshes = true;
    bool materials = true;
    bool skeleton = true;
    bool animation = true;  // only with the skeleton
};

enum class ExportRefusal {
    None,
    NothingToExport,    // "Nothing to export"
    NoOptionsSelected,  // "No export options selected"
};

ExportRefusal CheckExport(const skModel* model, const ExportOptions& options);

// The format-limit questions that apply, in the order they are asked.
std::vector<const char*> LimitWarnings(const skModel* model, const ExportOptions& options);

inline constexpr const char* kMsgNothingToExport = "Nothing to export";
inline constexpr const char* kMsgNoOptionsSelected = "No export options selected";
inline constexpr const char* kMsgMeshLimits =
    "Model mesh data exceeds format limitations. Output file may not be opened correctly in some applications. "
    "Continue with exporting?";
inline constexpr const char* kMsgMaterialLimits =
    "Model material count exceeds format limitations. Output file may not be opened correctly in some "
    "applications. Continue with exporting?";
inline constexpr const char* kMsgJointLimits =
    "Model joint count exceeds format limitations. Output file may not be opened correctly in some applications. "
    "Continue with exporting?";

} // namespace kestrel::ms3dascii
