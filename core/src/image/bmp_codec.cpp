#include "codecs.h"

namespace nimbus::image {

bool DecodeBmp(const uint8_t*, size_t, SkDecodedImage&) { return false; }

} // namespace nimbus::image
namespace nimbus::image {
bool EncodeBmp(const ImageView&, std::vector<uint8_t>&) { return false; }
}
