#include "ms3d_ascii_options.h"

namespace kestrel::ms3dascii {

ExportRefusal CheckExport(const skModel* model, const ExportOptions& options)
{
    if (skModelGetGroupCount(model) == 0 && skModelGetMaterialCount(model) == 0 &&
        skModelGetJointCount(model) == 0)
        return ExportRefusal::NothingToExport;
    if (!options.meshes && !options.materials && !options.skeleton)
        return ExportRefusal::NoOptionsSelected;
    return ExportRefusal::None;
}

std::vector<const char*> LimitWarnings(const skModel* model, const ExportOptions& options)
{
    std::vector<const char*> warnings;
    if (options.meshes && (skModelGetFaceCount(model) > 65534 || skModelGetVertexCount(model) > 65534 ||
                           skModelGetGroupCount(model) >= 256))
        warnings.push_back(kMsgMeshLimits);
    if (options.materials && skModelGetMaterialCount(model) > 128)
        warnings.push_back(kMsgMaterialLimits);
    if (options.skeleton && skModelGetJointCount(model) > 128)
        warnings.push_back(kMsgJointLimits);
    return warnings;
}

} // namespace kestrel::ms3dascii
