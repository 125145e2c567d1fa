#include "importkit/group_normals.h"

#include <cstdint>

namespace kestrel::importkit {

bool StoreCornerNormals(skGroup* group, const CornerNormals& normals)
{
    const size_t normalCount = normals.normals.size() / 3;
    const size_t triangleCount = normals.cornerNormal.size() / 3;
    if (normalCount > size_t(INT32_MAX) || triangleCount > size_t(skGroupGetFaceCount(group)))
        return false;
    if (!skGroupNormalArrayResize(group, int32_t(normalCount), 0))
        return false;
    for (size_t n = 0; n < normalCount; ++n) {
        const float* v = &normals.normals[n * 3];
        skNormalSet(skGroupGetNormal(group, int32_t(n)), v[0], v[1], v[2]);
    }
    for (size_t t = 0; t < triangleCount; ++t) {
        const int32_t* c = &normals.cornerNormal[t * 3];
        skTriangleSetNormalIndices(skGroupGetTriangle(group, int32_t(t)), c[0], c[1], c[2]);
    }
    return true;
}

} // namespace kestrel::importkit
