#pragma once
#include <GL/gl.h>

#include "render/render_cache.h"

namespace nimbus::render {

// Keeps the caller's client-side array state.
class ScopedClientArrays {
public:
    ScopedClientArrays() { glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT); }
    ~ScopedClientArrays() { glPopClientAttrib(); }
    ScopedClientArrays(const ScopedClientArrays&) = delete;
    ScopedClientArrays& operator=(const ScopedClientArrays&) = delete;
};

// What is sent with each corner besides its position.
struct CornerData {
    const GLfloat* normals = nullptr;
    const GLfloat* texCoords = nullptr; // 2 per corner
    const GLfloat* rampCoords = nullptr; // 1 per corner
    bool edgeFlags = false;
};

void BindCorners(const MeshArrays& m, const CornerData& data);
// The mesh's triangles in triangle order.
void DrawTriangles(const MeshArrays& m, const CornerData& data);
// One material batch's triangles in batch order.
void DrawBatch(const MeshArrays& m, const MeshArrays::Batch& batch, const CornerData& data);
// Batch b of the shared corners, with their normals and texture coordinates.
void DrawSharedBatch(const SharedCorners& s, size_t b);

} // namespace nimbus::render
