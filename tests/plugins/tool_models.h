#pragma once
// Exchange records built in code for the export and tool plug-in tests.

#include <cmath>
#include <initializer_list>

#include "tessera/tessera.h"

namespace kestrel::test {

// A record as a host holds one around a plug-in run.
class ToolRecord {
public:
    ToolRecord() { skModelInit(&model); }
    ~ToolRecord() { skModelNullify(&model); }
    ToolRecord(const ToolRecord&) = delete;
    ToolRecord& operator=(const ToolRecord&) = delete;

    skGroup* Group(int i = 0) const { return skModelGetGroup(&model, i); }
    skModel model;
};

inline skVertex* AddVertex(skGroup* group, float x, float y, float z)
{
    const int32_t index = skGroupGetVertexCount(group);
    skGroupVertexArrayResize(group, index + 1, 0);
    skVertex* vertex = skGroupGetVertex(group, index);
    const float xyz[3] = {x, y, z};
    skVertexSetVertex(vertex, xyz);
    return vertex;
}

inline void AddWeight(skVertex* vertex, int32_t joint, float value, float x, float y, float z)
{
    skWeight* weight = skVertexAddWeight(vertex);
    const float xyz[3] = {x, y, z};
    skWeightSetVertex(weight, xyz);
    skWeightSetJointInd(weight, joint);
    skWeightSetWValue(weight, value);
}

inline skTriangle* AddTriangle(skGroup* group, int32_t a, int32_t b, int32_t c)
{
    skTriangle* triangle = skGroupAddTriangle(group);
    skTriangleSetVertexIndices(triangle, a, b, c);
    return triangle;
}

inline void AddNormal(skGroup* group, float x, float y, float z)
{
    const skNormal normal{x, y, z};
    skGroupAddNormalV(group, &normal);
}

// A unit cube of 8 shared vertices (index x + 2y + 4z) and 12 triangles wound so
// that every face normal points outwards.
inline skGroup* AddCube(skModel* model)
{
    skGroup* group = skModelAddGroup(model);
    skGroupSetName(group, "Cube");
    for (int i = 0; i < 8; ++i)
        AddVertex(group, float(i & 1), float((i >> 1) & 1), float((i >> 2) & 1));
    // Each face as four corners around it; split into two triangles.
    const int faces[6][4] = {{0, 2, 6, 4}, {1, 3, 7, 5}, {0, 1, 5, 4}, {2, 3, 7, 6}, {0, 1, 3, 2}, {4, 5, 7, 6}};
    for (const auto& f : faces) {
        int q[4] = {f[0], f[1], f[2], f[3]};
        const skVertex* v[3] = {skGroupGetVertex(group, q[0]), skGroupGetVertex(group, q[1]),
                                skGroupGetVertex(group, q[2])};
        const float u[3] = {v[1]->x - v[0]->x, v[1]->y - v[0]->y, v[1]->z - v[0]->z};
        const float w[3] = {v[2]->x - v[0]->x, v[2]->y - v[0]->y, v[2]->z - v[0]->z};
        const float n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
        const float out[3] = {v[0]->x - 0.5f, v[0]->y - 0.5f, v[0]->z - 0.5f};
        if (n[0] * out[0] + n[1] * out[1] + n[2] * out[2] < 0) {
            q[1] = f[3];
            q[3] = f[1];
        }
        AddTriangle(group, q[0], q[1], q[2]);
        AddTriangle(group, q[0], q[2], q[3]);
    }
    return group;
}

inline skJoint* AddJoint(skModel* model, const char* name, const char* parent)
{
    skJoint* joint = skModelAddJoint(model);
    skJointSetName(joint, name);
    skJointSetParentName(joint, parent);
    return joint;
}

inline void AddKey(skJoint* joint, bool rotation, float time, float x, float y, float z)
{
    const skKeyFrame key{time, {x, y, z}};
    if (rotation)
        skJointAddRotationKeyV(joint, &key);
    else
        skJointAddPositionKeyV(joint, &key);
}

} // namespace kestrel::test
