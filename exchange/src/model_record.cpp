// The exchange record: lifetime, animation settings and totals over the groups.

#include <climits>
#include <cstdlib>
#include <cstring>

#include "element_defaults.h"
#include "model_arrays.h"
#include "tessera/tessera.h"

using namespace tessera;

namespace tessera {

skModelArrays* EnsureArrays(skModel* model)
{
    if (!model)
        return nullptr;
    if (!model->arrays)
        model->arrays = static_cast<skModelArrays*>(std::calloc(1, sizeof(skModelArrays)));
    return model->arrays;
}

} // namespace tessera

namespace {

constexpr float kDefaultFps = 24.0f;

template <class Count> int32_t SumOverGroups(const skModel* model, Count count)
{
    if (!model || !model->arrays)
        return 0;
    int64_t total = 0;
    const skArray* groups = &model->arrays->groups;
    for (int32_t i = 0; i < groups->count; ++i)
        total += count(ArrayAt<skGroup>(groups, i));
    return total > INT32_MAX ? INT32_MAX : int32_t(total);
}

} // namespace

extern "C" {

void skModelInit(skModel* model)
{
    if (!model)
        return;
    std::memset(model, 0, sizeof(*model));
    model->fps = kDefaultFps;
}

void skModelNullify(skModel* model)
{
    if (!model)
        return;
    if (skModelArrays* arrays = model->arrays) {
        ArrayClear<skGroup>(&arrays->groups);
        ArrayClear<skMaterial>(&arrays->materials);
        ArrayClear<skJoint>(&arrays->joints);
        ArrayClear<skLoop>(&arrays->loops);
        std::free(arrays);
    }
    skModelInit(model);
}

void skModelSetFPS(skModel* model, float fps)
{
    if (model)
        model->fps = fps;
}

float skModelGetFPS(const skModel* model) { return model ? model->fps : 0.0f; }

void skModelSetAnimationLength(skModel* model, int32_t frames)
{
    if (model)
        model->animationLength = frames;
}

int32_t skModelGetAnimationLength(const skModel* model) { return model ? model->animationLength : 0; }

int32_t skModelGetVertexCount(const skModel* model)
{
    return SumOverGroups(model, [](const skGroup* g) { return g->vertices.count; });
}

int32_t skModelGetFaceCount(const skModel* model)
{
    return SumOverGroups(model, [](const skGroup* g) { return g->triangles.count; });
}

int32_t skModelGetNormalCount(const skModel* model)
{
    return SumOverGroups(model, [](const skGroup* g) { return g->normals.count; });
}

int32_t skModelGetTCoordsCount(const skModel* model)
{
    return SumOverGroups(model, [](const skGroup* g) { return g->tcoords.count; });
}

} // extern "C"
