#pragma once
// How the landscape generator's length (X) and width (Z) follow the image's aspect
// ratio and each other's spin steps.

namespace kestrel::terrain {

inline constexpr double kExtentMin = 1.0;
inline constexpr double kExtentMax = 1000.0;
inline constexpr double kDefaultExtent = 100.0;
inline constexpr double kDefaultHeight = 20.0;
inline constexpr double kSpinStep = 0.1;

struct Extent {
    double x = kDefaultExtent;
    double z = kDefaultExtent;
};

// After an image of width w and height h was loaded: the longer side stays 100, the
// shorter becomes 100 x shorter / longer.
Extent ExtentAfterLoad(int w, int h);

// Ticking "keep aspect ratio": Z = h x X / w when h < w, else X = w x Z / h; clamped.
Extent KeepAspect(Extent extent, int w, int h);

// A spin step of `delta` on X (or, with stepZ, on Z). With linked sides and the
// stepped side not clamped, the other side changes by the same amount, and what it
// loses to its own clamp is taken back from the stepped side.
Extent StepExtent(Extent extent, double delta, bool stepZ, bool linked);

} // namespace kestrel::terrain
