#include <GL/gl.h>

#include "nimbus/scene_draw.h"
#include "scene/box_drawing.h"

using namespace nimbus::scene;

void skfRenderBBox(const float* maximum, const float* minimum, unsigned char mode, const unsigned char* color,
                   float size)
{
    static const unsigned char white[3] = {255, 255, 255};
    static const float origin[3] = {0, 0, 0};
    const unsigned char* c = color ? color : white;
    const float* max = maximum ? maximum : origin;
    const float* min = minimum ? minimum : origin;

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glLineWidth(1.0f);
    glColor4ub(c[0], c[1], c[2], 255);
    switch (mode) {
    case 1:
        DrawBoxCorners(max, min, size);
        break;
    case 2:
        DrawBoxEdges(max, min);
        break;
    case 3:
        DrawBoxEdges(max, min);
        glEnable(GL_CULL_FACE);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4ub(c[0], c[1], c[2], 64);
        DrawBoxFaces(max, min);
        break;
    default:
        break;
    }
    glPopAttrib();
}
