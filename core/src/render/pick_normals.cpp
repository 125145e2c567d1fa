#include <GL/gl.h>

#include "nimbus/model.h"
#include "render/array_draw.h"
#include "render/render_cache.h"

using namespace nimbus::render;

// Uses the positions of the last draw; the skin is not updated for picking.
void CModel::RenderPick()
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    ScopedClientArrays arrays;
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_1D);
    glDisable(GL_LIGHTING);
    CRenderCache& cache = PreparedRenderCache();
    glInitNames();
    glPushName(0);
    for (size_t i = 0; i < mMeshes.size(); ++i) {
        if (mMeshes[i].mFlags & SK_MESH_HIDDEN)
            continue;
        glLoadName(GLuint(i));
        DrawTriangles(cache.Mesh(i), CornerData());
    }
    glPopAttrib();
}

void CModel::RenderNormals(const unsigned char* pointColor, const unsigned char* lineColor, float length,
                           float pointSize)
{
    static const unsigned char white[3] = {255, 255, 255};
    const unsigned char* pc = pointColor ? pointColor : white;
    const unsigned char* lc = lineColor ? lineColor : white;
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glLineWidth(1.0f);
    glPointSize(pointSize);
    for (const CMesh& mesh : mMeshes) {
        const size_t vertexCount = mesh.mVertices.size(), normalCount = mesh.mNormals.size();
        for (const CTriangle& t : mesh.mTriangles)
            for (int c = 0; c < 3; ++c) {
                const int32_t vi = t.mVertices[c], ni = t.mNormals[c];
                if (vi < 0 || size_t(vi) >= vertexCount || ni < 0 || size_t(ni) >= normalCount)
                    continue;
                const float* p = mesh.mVertices[size_t(vi)].mPos;
                const float* n = mesh.mNormals[size_t(ni)].mDir;
                glBegin(GL_LINES);
                glColor3ubv(lc);
                glVertex3fv(p);
                glVertex3f(p[0] + length * n[0], p[1] + length * n[1], p[2] + length * n[2]);
                glEnd();
                glBegin(GL_POINTS);
                glColor3ubv(pc);
                glVertex3fv(p);
                glEnd();
            }
    }
    glEnable(GL_LIGHTING);
}
