// Groups (meshes) and their vertex, triangle, normal and texture-coordinate arrays.

#include "element_defaults.h"
#include "tessera/tessera.h"
#include "text_copy.h"

using namespace tessera;

namespace {

template <class T> int Resize(skGroup* group, skArray skGroup::*member, int32_t count)
{
    return group && ArrayResize<T>(&(group->*member), count) ? 1 : 0;
}

template <class T> const skArray* Member(const skGroup* group, skArray skGroup::*member)
{
    return group ? &(group->*member) : nullptr;
}

} // namespace

extern "C" {

void skGroupSetName(skGroup* group, const char* name)
{
    if (group)
        CopyText(group->name, sizeof(group->name), name);
}

const char* skGroupGetName(const skGroup* group) { return group ? group->name : nullptr; }

void skGroupSetFlags(skGroup* group, uint8_t flags)
{
    if (group)
        group->flags = flags;
}

uint8_t skGroupGetFlags(const skGroup* group) { return group ? group->flags : 0; }

int skGroupVertexArrayResize(skGroup* group, int32_t count, int)
{
    return Resize<skVertex>(group, &skGroup::vertices, count);
}

skVertex* skGroupGetVertex(const skGroup* group, int32_t index)
{
    return ArrayAt<skVertex>(Member<skVertex>(group, &skGroup::vertices), index);
}

int32_t skGroupGetVertexCount(const skGroup* group) { return group ? group->vertices.count : 0; }

int skGroupTriangleArrayResize(skGroup* group, int32_t count, int)
{
    return Resize<skTriangle>(group, &skGroup::triangles, count);
}

skTriangle* skGroupGetTriangle(const skGroup* group, int32_t index)
{
    return ArrayAt<skTriangle>(Member<skTriangle>(group, &skGroup::triangles), index);
}

skTriangle* skGroupAddTriangle(skGroup* group)
{
    return group ? ArrayAppend<skTriangle>(&group->triangles) : nullptr;
}

int32_t skGroupGetFaceCount(const skGroup* group) { return group ? group->triangles.count : 0; }

int skGroupNormalArrayResize(skGroup* group, int32_t count, int)
{
    return Resize<skNormal>(group, &skGroup::normals, count);
}

skNormal* skGroupGetNormal(const skGroup* group, int32_t index)
{
    return ArrayAt<skNormal>(Member<skNormal>(group, &skGroup::normals), index);
}

skNormal* skGroupAddNormalV(skGroup* group, const skNormal* value)
{
    skNormal* normal = group ? ArrayAppend<skNormal>(&group->normals) : nullptr;
    if (normal && value)
        *normal = *value;
    return normal;
}

int32_t skGroupGetNormalCount(const skGroup* group) { return group ? group->normals.count : 0; }

int skGroupTCoordArrayResize(skGroup* group, int32_t count, int)
{
    return Resize<skTCoord>(group, &skGroup::tcoords, count);
}

skTCoord* skGroupGetTCoord(const skGroup* group, int32_t index)
{
    return ArrayAt<skTCoord>(Member<skTCoord>(group, &skGroup::tcoords), index);
}

int32_t skGroupGetTCoordsCount(const skGroup* group) { return group ? group->tcoords.count : 0; }

void skGroupNullify(skGroup* group)
{
    if (!group)
        return;
    Element<skGroup>::Release(group);
    Element<skGroup>::Init(group);
}

void skGroupNullifyNormals(skGroup* group)
{
    if (group)
        ArrayClear<skNormal>(&group->normals);
}

} // extern "C"
