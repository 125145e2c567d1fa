#include "image_checks.h"

#include <fstream>
#include <iterator>

namespace kestrel::test {

bool LoadBytes(const TempDir& dir, const std::string& name, const std::vector<uint8_t>& bytes, CTexture& tex)
{
    WriteBytes(dir.File(name), bytes);
    tex.SetFileNameUtf8(dir.File(name).c_str());
    return tex.LoadFromFile();
}

testing::AssertionResult SameImage(const CTexture& tex, const RefImage& ref)
{
    if (tex.mWidth != ref.width || tex.mHeight != ref.height || tex.mBpp != ref.bpp)
        return testing::AssertionFailure() << "got " << tex.mWidth << "x" << tex.mHeight << "x" << int(tex.mBpp)
                                           << ", want " << ref.width << "x" << ref.height << "x" << int(ref.bpp);
    if (tex.mData.size() != ref.pixels.size())
        return testing::AssertionFailure() << "pixel buffer has " << tex.mData.size() << " bytes";
    for (size_t i = 0; i < ref.pixels.size(); ++i)
        if (tex.mData[i] != ref.pixels[i])
            return testing::AssertionFailure() << "byte " << i << " is " << int(tex.mData[i]) << ", want "
                                               << int(ref.pixels[i]);
    return testing::AssertionSuccess();
}

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace kestrel::test
