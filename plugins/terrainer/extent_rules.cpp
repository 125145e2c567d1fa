#include "extent_rules.h"

#include <algorithm>
#include <utility>

namespace kestrel::terrain {

namespace {
double Clamp(double v) { return std::clamp(v, kExtentMin, kExtentMax); }
} // namespace

Extent ExtentAfterLoad(int w, int h)
{
    Extent extent;
    if (w <= 0 || h <= 0 || w == h)
        return extent;
    if (h < w)
        extent.z = Clamp(kDefaultExtent * h / w);
    else
        extent.x = Clamp(kDefaultExtent * w / h);
    return extent;
}

Extent KeepAspect(Extent extent, int w, int h)
{
    if (w <= 0 || h <= 0)
        return extent;
    if (h < w)
        extent.z = Clamp(double(h) * extent.x / w);
    else
        extent.x = Clamp(double(w) * extent.z / h);
    return extent;
}

Extent StepExtent(Extent extent, double delta, bool stepZ, bool linked)
{
    double& stepped = stepZ ? extent.z : extent.x;
    double& other = stepZ ? extent.x : extent.z;
    const double wanted = stepped + delta;
    stepped = Clamp(wanted);
    if (!linked || stepped != wanted)
        return extent;
    const double otherWanted = other + delta;
    other = Clamp(otherWanted);
    stepped -= otherWanted - other;
    return extent;
}

} // namespace kestrel::terrain
