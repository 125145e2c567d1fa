#include "render/array_draw.h"

#include <algorithm>

namespace nimbus::render {

namespace {
constexpr size_t kPieceCorners = size_t(kTrianglesPerPiece) * 3;

// Each piece is handed to the driver as soon as it is sent: a software rasterizer would
// otherwise bin a whole large mesh before drawing any of it, and keep the memory that took.
// Pieces end on whole triangles and keep their order, so the picture is the same.
void DrawCornerRange(GLint first, size_t count)
{
    for (size_t at = 0; at < count; at += kPieceCorners) {
        const size_t n = std::min(kPieceCorners, count - at);
        glDrawArrays(GL_TRIANGLES, first + GLint(at), GLsizei(n));
        if (at + n < count)
            glFlush();
    }
}

void DrawCornerList(const GLuint* corners, size_t count)
{
    for (size_t at = 0; at < count; at += kPieceCorners) {
        const size_t n = std::min(kPieceCorners, count - at);
        glDrawElements(GL_TRIANGLES, GLsizei(n), GL_UNSIGNED_INT, corners + at);
        if (at + n < count)
            glFlush();
    }
}
} // namespace

void BindCorners(const MeshArrays& m, const CornerData& data)
{
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, m.positions.data());
    if (data.normals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, data.normals);
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
    }
    if (data.texCoords || data.rampCoords) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        if (data.texCoords)
            glTexCoordPointer(2, GL_FLOAT, 0, data.texCoords);
        else
            glTexCoordPointer(1, GL_FLOAT, 0, data.rampCoords);
    } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    if (data.edgeFlags) {
        glEnableClientState(GL_EDGE_FLAG_ARRAY);
        glEdgeFlagPointer(0, m.edgeFlags.data());
    } else {
        glDisableClientState(GL_EDGE_FLAG_ARRAY);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_INDEX_ARRAY);
}

void DrawTriangles(const MeshArrays& m, const CornerData& data)
{
    if (m.CornerCount() == 0)
        return;
    BindCorners(m, data);
    DrawCornerRange(0, size_t(m.CornerCount()));
}

void DrawBatch(const MeshArrays& m, const MeshArrays::Batch& batch, const CornerData& data)
{
    if (batch.corners.empty())
        return;
    BindCorners(m, data);
    if (batch.contiguous)
        DrawCornerRange(GLint(batch.corners[0]), batch.corners.size());
    else
        DrawCornerList(batch.corners.data(), batch.corners.size());
}

void DrawSharedBatch(const SharedCorners& s, size_t b)
{
    if (b >= s.batches.size() || s.batches[b].empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, s.positions.data());
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, s.normals.data());
    if (!s.texCoords.empty()) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, s.texCoords.data());
    } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glDisableClientState(GL_EDGE_FLAG_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_INDEX_ARRAY);
    DrawCornerList(s.batches[b].data(), s.batches[b].size());
}

} // namespace nimbus::render
