#include "codecs.h"

namespace nimbus::image {

bool DecodeTga(const uint8_t*, size_t, SkDecodedImage&) { return false; }

} // namespace nimbus::image
namespace nimbus::image {
bool EncodeTga(const ImageView&, std::vector<uint8_t>&) { return false; }
}
