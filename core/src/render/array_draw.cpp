#include "render/array_draw.h"

namespace nimbus::render {

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
    glDrawArrays(GL_TRIANGLES, 0, m.CornerCount());
}

void DrawBatch(const MeshArrays& m, const MeshArrays::Batch& batch, const CornerData& data)
{
    if (batch.corners.empty())
        return;
    BindCorners(m, data);
    if (batch.contiguous)
        glDrawArrays(GL_TRIANGLES, GLint(batch.corners[0]), GLsizei(batch.corners.size()));
    else
        glDrawElements(GL_TRIANGLES, GLsizei(batch.corners.size()), GL_UNSIGNED_INT, batch.corners.data());
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
    glDrawElements(GL_TRIANGLES, GLsizei(s.batches[b].size()), GL_UNSIGNED_INT, s.batches[b].data());
}

} // namespace nimbus::render
