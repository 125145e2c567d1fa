#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image_fixtures.h"
#include "nimbus/texture.h"
#include "temp_dir.h"

namespace kestrel::test {

// Writes bytes to a file in the folder and loads it as a texture by that name.
bool LoadBytes(const TempDir& dir, const std::string& name, const std::vector<uint8_t>& bytes, CTexture& tex);
// The texture holds exactly the reference pixels; otherwise says where it differs.
testing::AssertionResult SameImage(const CTexture& tex, const RefImage& ref);
std::vector<uint8_t> ReadAll(const std::string& path);

} // namespace kestrel::test
