#pragma once

class CTexture;

namespace kestrel::view {

// The picture an empty view shows: 24 bits, bottom row first. False if it cannot be made.
bool MakeStartPicture(CTexture& picture);

} // namespace kestrel::view
