#include "element_defaults.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace tessera {

void Element<skGroup>::Init(skGroup* group) { std::memset(group, 0, sizeof(*group)); }

void Element<skGroup>::Release(skGroup* group)
{
    ArrayClear<skVertex>(&group->vertices);
    ArrayClear<skTriangle>(&group->triangles);
    ArrayClear<skNormal>(&group->normals);
    ArrayClear<skTCoord>(&group->tcoords);
}

void Element<skVertex>::Init(skVertex* vertex)
{
    vertex->x = vertex->y = vertex->z = 0.0f;
    vertex->weightCount = 0;
    vertex->weights = nullptr;
}

void Element<skVertex>::Release(skVertex* vertex)
{
    std::free(vertex->weights);
    vertex->weights = nullptr;
    vertex->weightCount = 0;
}

void InitWeight(skWeight* weight)
{
    weight->x = weight->y = weight->z = 0.0f;
    weight->jointIndex = -1;
    weight->value = 1.0f;
}

void Element<skTriangle>::Init(skTriangle* triangle)
{
    std::memset(triangle, 0, sizeof(*triangle));
    for (int i = 0; i < 3; ++i) {
        triangle->textureIndices[i] = -1;
        triangle->edgeFlags[i] = 1;
    }
    triangle->materialIndex = -1;
}

void Element<skNormal>::Init(skNormal* normal) { normal->x = normal->y = normal->z = 0.0f; }

void Element<skTCoord>::Init(skTCoord* tcoord) { tcoord->u = tcoord->v = 0.0f; }

void Element<skMaterial>::Init(skMaterial* material)
{
    std::memset(material, 0, sizeof(*material));
    const float ambient[4] = {0.12f, 0.12f, 0.12f, 1.0f};
    const float diffuse[4] = {0.75f, 0.75f, 0.75f, 1.0f};
    const float emissive[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    std::memcpy(material->ambient, ambient, sizeof(ambient));
    std::memcpy(material->diffuse, diffuse, sizeof(diffuse));
    std::memcpy(material->specular, diffuse, sizeof(diffuse));
    std::memcpy(material->emissive, emissive, sizeof(emissive));
    material->shininess = 38.4f;
    material->transparency = 1.0f;
}

void Element<skMaterial>::Release(skMaterial* material)
{
    for (char** name : {&material->textureDiffuse, &material->textureBump, &material->textureAlpha,
                        &material->textureReflect}) {
        std::free(*name);
        *name = nullptr;
    }
}

void Element<skJoint>::Init(skJoint* joint) { std::memset(joint, 0, sizeof(*joint)); }

void Element<skJoint>::Release(skJoint* joint)
{
    ArrayClear<skKeyFrame>(&joint->positionKeys);
    ArrayClear<skKeyFrame>(&joint->rotationKeys);
}

void Element<skKeyFrame>::Init(skKeyFrame* key) { std::memset(key, 0, sizeof(*key)); }

void Element<skLoop>::Init(skLoop* loop) { std::memset(loop, 0, sizeof(*loop)); }

} // namespace tessera
