#include "scene/box_drawing.h"

#include <GL/gl.h>

namespace nimbus::scene {

namespace {
// Corner k takes the maximum on axis a when bit a of k is set.
void Corner(const float* max, const float* min, int k, float* out)
{
    for (int a = 0; a < 3; ++a)
        out[a] = (k >> a) & 1 ? max[a] : min[a];
}
} // namespace

void DrawBoxCorners(const float* max, const float* min, float fraction)
{
    glBegin(GL_LINES);
    for (int k = 0; k < 8; ++k) {
        float c[3];
        Corner(max, min, k, c);
        for (int a = 0; a < 3; ++a) {
            const float extent = (max[a] - min[a]) * fraction;
            float e[3] = {c[0], c[1], c[2]};
            e[a] += (k >> a) & 1 ? -extent : extent;
            glVertex3fv(c);
            glVertex3fv(e);
        }
    }
    glEnd();
}

void DrawBoxEdges(const float* max, const float* min)
{
    glBegin(GL_LINES);
    for (int k = 0; k < 8; ++k)
        for (int a = 0; a < 3; ++a) {
            if ((k >> a) & 1)
                continue;
            float c[3], e[3];
            Corner(max, min, k, c);
            Corner(max, min, k | (1 << a), e);
            glVertex3fv(c);
            glVertex3fv(e);
        }
    glEnd();
}

void DrawBoxFaces(const float* max, const float* min)
{
    // Corners of each face, counter-clockwise seen from outside.
    static const int faces[6][4] = {
        {0, 2, 3, 1}, // -z
        {4, 5, 7, 6}, // +z
        {0, 4, 6, 2}, // -x
        {1, 3, 7, 5}, // +x
        {0, 1, 5, 4}, // -y
        {2, 6, 7, 3}, // +y
    };
    glBegin(GL_QUADS);
    for (const auto& face : faces)
        for (int k : face) {
            float c[3];
            Corner(max, min, k, c);
            glVertex3fv(c);
        }
    glEnd();
}

} // namespace nimbus::scene
