#pragma once
// Tests draw into the same off-screen context as the command line's pictures.
#include "offscreen/headless_gl.h"

namespace kestrel::test {
using kestrel::offscreen::HeadlessGl;
using kestrel::offscreen::Rgba;
} // namespace kestrel::test
