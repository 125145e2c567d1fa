// The four element arrays of the exchange record: groups, materials, joints, loops.

#include "element_defaults.h"
#include "model_arrays.h"
#include "tessera/tessera.h"

using namespace tessera;

namespace {

const skArray* Groups(const skModel* m) { return m && m->arrays ? &m->arrays->groups : nullptr; }
const skArray* Materials(const skModel* m) { return m && m->arrays ? &m->arrays->materials : nullptr; }
const skArray* Joints(const skModel* m) { return m && m->arrays ? &m->arrays->joints : nullptr; }
const skArray* Loops(const skModel* m) { return m && m->arrays ? &m->arrays->loops : nullptr; }

// Resizing to 0 needs no arrays; anything else allocates them.
template <class T> int Resize(skModel* model, skArray skModelArrays::*member, int32_t count)
{
    if (!model)
        return 0;
    if (count == 0 && !model->arrays)
        return 1;
    skModelArrays* arrays = EnsureArrays(model);
    return arrays && ArrayResize<T>(&(arrays->*member), count) ? 1 : 0;
}

template <class T> T* Append(skModel* model, skArray skModelArrays::*member)
{
    skModelArrays* arrays = EnsureArrays(model);
    return arrays ? ArrayAppend<T>(&(arrays->*member)) : nullptr;
}

} // namespace

extern "C" {

int skModelGroupArrayResize(skModel* model, int32_t count, int)
{
    return Resize<skGroup>(model, &skModelArrays::groups, count);
}
skGroup* skModelGetGroup(const skModel* model, int32_t index) { return ArrayAt<skGroup>(Groups(model), index); }
int32_t skModelGetGroupCount(const skModel* model) { return ArrayCount(Groups(model)); }
skGroup* skModelAddGroup(skModel* model) { return Append<skGroup>(model, &skModelArrays::groups); }

int skModelMaterialArrayResize(skModel* model, int32_t count, int)
{
    return Resize<skMaterial>(model, &skModelArrays::materials, count);
}
skMaterial* skModelGetMaterial(const skModel* model, int32_t index)
{
    return ArrayAt<skMaterial>(Materials(model), index);
}
int32_t skModelGetMaterialCount(const skModel* model) { return ArrayCount(Materials(model)); }
skMaterial* skModelAddMaterial(skModel* model) { return Append<skMaterial>(model, &skModelArrays::materials); }

int skModelJointArrayResize(skModel* model, int32_t count, int)
{
    return Resize<skJoint>(model, &skModelArrays::joints, count);
}
skJoint* skModelGetJoint(const skModel* model, int32_t index) { return ArrayAt<skJoint>(Joints(model), index); }
int32_t skModelGetJointCount(const skModel* model) { return ArrayCount(Joints(model)); }
skJoint* skModelAddJoint(skModel* model) { return Append<skJoint>(model, &skModelArrays::joints); }

int skModelLoopArrayResize(skModel* model, int32_t count, int)
{
    return Resize<skLoop>(model, &skModelArrays::loops, count);
}
skLoop* skModelGetLoop(const skModel* model, int32_t index) { return ArrayAt<skLoop>(Loops(model), index); }
int32_t skModelGetLoopCount(const skModel* model) { return ArrayCount(Loops(model)); }

skLoop* skModelAddLoopV(skModel* model, const skLoop* value)
{
    skLoop* loop = Append<skLoop>(model, &skModelArrays::loops);
    if (loop && value) {
        *loop = *value;
        loop->name[SK_NAME_LENGTH] = '\0';
    }
    return loop;
}

void skModelNullifyLoops(skModel* model)
{
    if (model && model->arrays)
        ArrayClear<skLoop>(&model->arrays->loops);
}

} // extern "C"
