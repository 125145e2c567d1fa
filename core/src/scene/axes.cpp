#include <GL/gl.h>

#include "nimbus/scene_draw.h"

namespace {
// A point at distance `along` on the axis from the base, moved across by (u, v) along the
// axis's two other directions.
struct AxisFrame {
    float base[3];
    int axis, u, v;

    void Point(float along, float du, float dv, float* out) const
    {
        out[0] = base[0];
        out[1] = base[1];
        out[2] = base[2];
        out[axis] += along;
        out[u] += du;
        out[v] += dv;
    }
    void Vertex(float along, float du = 0, float dv = 0) const
    {
        float p[3];
        Point(along, du, dv, p);
        glVertex3fv(p);
    }
};

void DrawArrow(const AxisFrame& f)
{
    const float w = 0.03f;
    const float square[4][2] = {{-w, -w}, {w, -w}, {w, w}, {-w, w}};
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        f.Vertex(0.8f);
        f.Vertex(0.6f, square[i][0], square[i][1]);
        f.Vertex(0.6f, square[j][0], square[j][1]);
    }
    f.Vertex(0.6f, square[0][0], square[0][1]);
    f.Vertex(0.6f, square[2][0], square[2][1]);
    f.Vertex(0.6f, square[1][0], square[1][1]);
    f.Vertex(0.6f, square[0][0], square[0][1]);
    f.Vertex(0.6f, square[3][0], square[3][1]);
    f.Vertex(0.6f, square[2][0], square[2][1]);
    glEnd();
    glBegin(GL_LINES);
    f.Vertex(0);
    f.Vertex(0.8f);
    glEnd();
}
} // namespace

void skfRenderAxes(const float* origin, const unsigned char* colorX, const unsigned char* colorY,
                   const unsigned char* colorZ)
{
    static const unsigned char red[3] = {255, 0, 0}, green[3] = {0, 255, 0}, blue[3] = {0, 0, 255};
    float base[3] = {-1.0f, -0.95f, -1.0f};
    if (origin && (origin[0] != 0 || origin[1] != 0 || origin[2] != 0)) {
        base[0] = origin[0] - 0.3f;
        base[1] = origin[1] + 0.03f;
        base[2] = origin[2] - 0.3f;
    }
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glLineWidth(1.0f);

    // X: across in y and z; its letter lies in the x-z plane.
    const AxisFrame x{{base[0], base[1], base[2]}, 0, 1, 2};
    glColor3ubv(colorX ? colorX : red);
    DrawArrow(x);
    glBegin(GL_LINES);
    x.Vertex(0.9f, 0, -0.05f);
    x.Vertex(1.1f, 0, 0.05f);
    x.Vertex(0.9f, 0, 0.05f);
    x.Vertex(1.1f, 0, -0.05f);
    glEnd();

    // Y: across in x and z; its letter lies in the x-y plane.
    const AxisFrame y{{base[0], base[1], base[2]}, 1, 0, 2};
    glColor3ubv(colorY ? colorY : green);
    DrawArrow(y);
    glBegin(GL_LINES);
    y.Vertex(0.9f);
    y.Vertex(1.0f);
    y.Vertex(1.0f);
    y.Vertex(1.1f, 0.05f);
    y.Vertex(1.0f);
    y.Vertex(1.1f, -0.05f);
    glEnd();

    // Z: across in x and y; its letter lies in the x-z plane.
    const AxisFrame z{{base[0], base[1], base[2]}, 2, 0, 1};
    glColor3ubv(colorZ ? colorZ : blue);
    DrawArrow(z);
    glBegin(GL_LINE_STRIP);
    z.Vertex(0.9f, -0.05f);
    z.Vertex(0.9f, 0.05f);
    z.Vertex(1.1f, -0.05f);
    z.Vertex(1.1f, 0.05f);
    glEnd();
    glPopAttrib();
}
