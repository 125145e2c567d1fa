// Vertices and their weights. A vertex's weights are one block because callers
// read them through the vertex's weight pointer.

#include <cstdlib>
#include <cstring>

#include "element_defaults.h"
#include "tessera/tessera.h"

using namespace tessera;

namespace {

constexpr int32_t kMaxWeights = UINT16_MAX;

skVec3 Vec3(float x, float y, float z) { return skVec3{x, y, z}; }

} // namespace

extern "C" {

void skVertexSetVertex(skVertex* vertex, const float* xyz)
{
    if (!vertex || !xyz)
        return;
    vertex->x = xyz[0];
    vertex->y = xyz[1];
    vertex->z = xyz[2];
}

skVec3 skVertexGetVertex(const skVertex* vertex)
{
    return vertex ? Vec3(vertex->x, vertex->y, vertex->z) : Vec3(0, 0, 0);
}

int skVertexWeightArrayResize(skVertex* vertex, int32_t count, int)
{
    if (!vertex || count < 0 || count > kMaxWeights)
        return 0;
    const int32_t old = vertex->weights ? vertex->weightCount : 0;
    if (count == 0) {
        std::free(vertex->weights);
        vertex->weights = nullptr;
        vertex->weightCount = 0;
        return 1;
    }
    auto* weights = static_cast<skWeight*>(std::realloc(vertex->weights, size_t(count) * sizeof(skWeight)));
    if (!weights)
        return 0;
    for (int32_t i = old; i < count; ++i)
        InitWeight(&weights[i]);
    vertex->weights = weights;
    vertex->weightCount = uint16_t(count);
    return 1;
}

skWeight* skVertexGetWeight(const skVertex* vertex, int32_t index)
{
    if (!vertex || !vertex->weights || index < 0 || index >= vertex->weightCount)
        return nullptr;
    return &vertex->weights[index];
}

int32_t skVertexGetWeightCount(const skVertex* vertex)
{
    return vertex && vertex->weights ? vertex->weightCount : 0;
}

skWeight* skVertexAddWeight(skVertex* vertex)
{
    if (!vertex || !skVertexWeightArrayResize(vertex, skVertexGetWeightCount(vertex) + 1, 0))
        return nullptr;
    return &vertex->weights[vertex->weightCount - 1];
}

void skWeightSetVertex(skWeight* weight, const float* xyz)
{
    if (!weight || !xyz)
        return;
    weight->x = xyz[0];
    weight->y = xyz[1];
    weight->z = xyz[2];
}

skVec3 skWeightGetVertex(const skWeight* weight)
{
    return weight ? Vec3(weight->x, weight->y, weight->z) : Vec3(0, 0, 0);
}

void skWeightSetJointInd(skWeight* weight, int32_t jointIndex)
{
    if (weight)
        weight->jointIndex = jointIndex;
}

int32_t skWeightGetJointInd(const skWeight* weight) { return weight ? weight->jointIndex : -1; }

void skWeightSetWValue(skWeight* weight, float value)
{
    if (weight)
        weight->value = value;
}

float skWeightGetWValue(const skWeight* weight) { return weight ? weight->value : 0.0f; }

} // extern "C"
