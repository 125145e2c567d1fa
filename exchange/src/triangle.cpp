// Triangles, normals and texture coordinates.

#include "tessera/tessera.h"

namespace {

void SetThree(int32_t* field, int32_t a, int32_t b, int32_t c)
{
    field[0] = a;
    field[1] = b;
    field[2] = c;
}

} // namespace

extern "C" {

void skTriangleSetVertexIndices(skTriangle* triangle, int32_t a, int32_t b, int32_t c)
{
    if (triangle)
        SetThree(triangle->vertexIndices, a, b, c);
}

void skTriangleSetNormalIndices(skTriangle* triangle, int32_t a, int32_t b, int32_t c)
{
    if (triangle)
        SetThree(triangle->normalIndices, a, b, c);
}

void skTriangleSetTextureIndices(skTriangle* triangle, int32_t a, int32_t b, int32_t c)
{
    if (triangle)
        SetThree(triangle->textureIndices, a, b, c);
}

void skTriangleSetEdgeFlags(skTriangle* triangle, uint8_t a, uint8_t b, uint8_t c)
{
    if (!triangle)
        return;
    triangle->edgeFlags[0] = a;
    triangle->edgeFlags[1] = b;
    triangle->edgeFlags[2] = c;
}

void skTriangleSetMaterial(skTriangle* triangle, int32_t materialIndex)
{
    if (triangle)
        triangle->materialIndex = materialIndex;
}

void skTriangleSetSmoothingGroup(skTriangle* triangle, uint8_t group)
{
    if (triangle)
        triangle->smoothingGroup = group;
}

void skNormalSet(skNormal* normal, float x, float y, float z)
{
    if (!normal)
        return;
    normal->x = x;
    normal->y = y;
    normal->z = z;
}

void skTCoordSet(skTCoord* tcoord, float u, float v)
{
    if (!tcoord)
        return;
    tcoord->u = u;
    tcoord->v = v;
}

} // extern "C"
