#include <GL/gl.h>

#include "nimbus/scene_draw.h"

void skfRenderGrid(unsigned char mode, const unsigned char* colorA, const unsigned char* colorB, float height,
                   unsigned int cells, float cellSize)
{
    static const unsigned char defaultA[3] = {255, 255, 255};
    static const unsigned char defaultB[3] = {127, 127, 127};
    const unsigned char* a = colorA ? colorA : defaultA;
    const unsigned char* b = colorB ? colorB : defaultB;
    const float y = height != 0.0f ? height - 0.01f : -1.0f;
    const float h = float(cells) * cellSize / 2.0f;

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    if (mode == 1) {
        glColor3ubv(a);
        glPointSize(1.0f);
        glBegin(GL_LINES);
        for (unsigned i = 0; i <= cells; ++i) {
            const float x = -h + float(i) * cellSize;
            glVertex3f(x, y, h);
            glVertex3f(x, y, -h);
            glVertex3f(h, y, x);
            glVertex3f(-h, y, x);
        }
        glEnd();
    } else if (mode == 2 || mode == 3) {
        const unsigned char alpha = mode == 3 ? 85 : 255;
        glDisable(GL_CULL_FACE);
        if (mode == 3) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glDepthMask(GL_FALSE);
        }
        glBegin(GL_QUADS);
        for (unsigned row = 0; row < cells; ++row) {
            const float z = -h + float(row) * cellSize;
            for (unsigned col = 0; col < cells; ++col) {
                const unsigned long long k = (unsigned long long)row * cells + col;
                const unsigned char* c = (k & 1) != (row & 1) ? b : a;
                glColor4ub(c[0], c[1], c[2], alpha);
                const float x = -h + float(col) * cellSize;
                glVertex3f(x, y, z);
                glVertex3f(x, y, z + cellSize);
                glVertex3f(x + cellSize, y, z + cellSize);
                glVertex3f(x + cellSize, y, z);
            }
        }
        glEnd();
        if (mode == 3)
            glDepthMask(GL_TRUE);
    }
    glPopAttrib();
}
