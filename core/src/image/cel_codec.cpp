#include "codecs.h"

namespace nimbus::image {

bool DecodeCel(const uint8_t*, size_t, SkDecodedImage&) { return false; }

} // namespace nimbus::image
