#include "model_objects.h"

#include <cstring>

#include "nimbus/model.h"
#include "util/utf16.h"

namespace kestrel::panels {
namespace {

// Name fields are fixed arrays; a field without a terminator is read up to its size.
std::string NameField(const char* name, int fieldSize = kSkNameSize)
{
    return name ? std::string(name, strnlen(name, size_t(fieldSize))) : std::string();
}

std::string FileName(const char16_t* name) { return name ? nimbus::Utf16ToUtf8(name) : std::string(); }

} // namespace

ObjectsInput ObjectsFromModel(const CModel& model, doc::ViewMode viewMode)
{
    ObjectsInput input;
    input.viewMode = viewMode;
    if (viewMode != doc::kModel)
        return input;

    const int meshes = int(model.mMeshes.size());
    input.meshes.reserve(size_t(meshes));
    for (int i = 0; i < meshes; ++i) {
        const SK_MESH_STATS s = model.GetMeshStats(i);
        input.meshes.push_back({NameField(s.name), s.vertexCount, s.triangleCount, s.normalCount, s.texCoordCount,
                                s.batchCount, (s.flags & SK_MESH_HIDDEN) != 0});
    }
    const int joints = int(model.mJoints.size());
    input.joints.reserve(size_t(joints));
    for (int i = 0; i < joints; ++i) {
        const SK_JOINT_STATS s = model.GetJointStats(i);
        input.joints.push_back({NameField(s.name), NameField(s.parentName)});
    }
    const int materials = int(model.mMaterials.size());
    input.materials.reserve(size_t(materials));
    for (int i = 0; i < materials; ++i) {
        const SK_MATERIAL_STATS s = model.GetMaterialStats(i);
        input.materials.push_back({NameField(s.name, CMaterial::kNameSize), FileName(s.diffuseTexture), FileName(s.bumpTexture),
                                   FileName(s.alphaTexture), FileName(s.reflectTexture)});
    }
    return input;
}

} // namespace kestrel::panels
