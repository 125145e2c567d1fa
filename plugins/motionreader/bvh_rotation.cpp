#include "bvh_rotation.h"

#include <cmath>

namespace kestrel::bvh {
namespace {

struct Matrix3 {
    double m[3][3];  // row, column; rotations act on column vectors
};

int AxisOf(Channel channel) { return int(channel) - int(Channel::Xrotation); }

Matrix3 AxisRotation(int axis, double radians)
{
    const double c = std::cos(radians), s = std::sin(radians);
    switch (axis) {
    case 0:
        return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
    case 1:
        return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
    default:
        return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
    }
}

Matrix3 Multiply(const Matrix3& a, const Matrix3& b)
{
    Matrix3 r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                r.m[i][j] += a.m[i][k] * b.m[k][j];
    return r;
}

// The inverse of R = Rz(z) * Ry(y) * Rx(x), as the engine reads a rotation back.
void EulersOf(const Matrix3& r, float radians[3])
{
    const double sy = -r.m[2][0];
    if (std::fabs(sy) >= 1.0 - 1e-12) {
        // Gimbal lock: only x - z (or x + z) is defined; keep z at 0.
        const double y = sy > 0 ? M_PI / 2 : -M_PI / 2;
        radians[0] = float(std::atan2((sy > 0 ? 1.0 : -1.0) * r.m[0][1], r.m[1][1]));
        radians[1] = float(y);
        radians[2] = 0.0f;
        return;
    }
    radians[0] = float(std::atan2(r.m[2][1], r.m[2][2]));
    radians[1] = float(std::asin(sy));
    radians[2] = float(std::atan2(r.m[1][0], r.m[0][0]));
}

// True when the axes that turn come in the order z, y, x.
bool InEngineOrder(const Channel axes[3], const float degrees[3])
{
    int last = 3;  // z = 2 must come before y = 1 before x = 0
    for (int i = 0; i < 3; ++i) {
        if (degrees[i] == 0.0f)
            continue;
        const int axis = AxisOf(axes[i]);
        if (axis >= last)
            return false;
        last = axis;
    }
    return true;
}

} // namespace

void EngineEulers(const Channel axes[3], const float degrees[3], float radians[3])
{
    if (InEngineOrder(axes, degrees)) {
        for (int i = 0; i < 3; ++i)
            radians[AxisOf(axes[i])] = degrees[i] * 3.1415927f / 180.0f;
        return;
    }
    Matrix3 r = AxisRotation(AxisOf(axes[0]), double(degrees[0]) * M_PI / 180.0);
    for (int i = 1; i < 3; ++i)
        r = Multiply(r, AxisRotation(AxisOf(axes[i]), double(degrees[i]) * M_PI / 180.0));
    EulersOf(r, radians);
}

} // namespace kestrel::bvh
