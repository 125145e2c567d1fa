#include <GL/gl.h>

#include "nimbus/model.h"
#include "scene/box_drawing.h"

using namespace nimbus::scene;

// Draws the box of the last skin update once: the bounds are reset afterwards.
void CModel::RenderBBox(unsigned char mode, const unsigned char* color)
{
    const CVector3d& max = mCurBounds[0];
    const CVector3d& min = mCurBounds[1];
    if (max.x == -kBoundsReset && max.y == -kBoundsReset && max.z == -kBoundsReset && min.x == kBoundsReset &&
        min.y == kBoundsReset && min.z == kBoundsReset)
        return;
    static const unsigned char white[3] = {255, 255, 255};
    const unsigned char* c = color ? color : white;
    const float hi[3] = {max.x, max.y, max.z};
    const float lo[3] = {min.x, min.y, min.z};

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glColor4ub(c[0], c[1], c[2], 255);
    glLineWidth(1.0f);
    if (mode == 1) {
        DrawBoxCorners(hi, lo, 0.2f);
    } else if (mode == 2) {
        DrawBoxEdges(hi, lo);
    } else if (mode == 3) {
        DrawBoxEdges(hi, lo);
        const GLboolean culling = glIsEnabled(GL_CULL_FACE);
        glEnable(GL_CULL_FACE);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4ub(c[0], c[1], c[2], 64);
        DrawBoxFaces(hi, lo);
        glDisable(GL_BLEND);
        if (!culling)
            glDisable(GL_CULL_FACE);
    }
    if (mode >= 1 && mode <= 3) {
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_LIGHTING);
    }
    ResetCurrentBounds();
}
