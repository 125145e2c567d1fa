#pragma once
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/decoded_image.h"

namespace kestrel::test {

using Decoder = bool (*)(const uint8_t*, size_t, SkDecodedImage&);

// Feeds every proper prefix of a valid file to a decoder, each in a buffer of exactly its
// size (so a sanitizer sees any read past it): none may succeed.
inline void ExpectPrefixesRefused(const std::vector<uint8_t>& file, Decoder decode)
{
    ASSERT_FALSE(file.empty());
    SkDecodedImage whole;
    ASSERT_TRUE(decode(file.data(), file.size(), whole)) << "the whole file must decode";
    for (size_t n = 0; n < file.size(); ++n) {
        std::vector<uint8_t> prefix(file.begin(), file.begin() + long(n));
        SkDecodedImage image;
        EXPECT_FALSE(decode(prefix.data(), prefix.size(), image)) << "prefix of " << n << " bytes";
    }
}

// The same walk for formats where a cut file may still hold a whole image: a success must
// describe exactly the buffer it returns.
inline void ExpectPrefixesSafe(const std::vector<uint8_t>& file, Decoder decode)
{
    for (size_t n = 0; n < file.size(); ++n) {
        std::vector<uint8_t> prefix(file.begin(), file.begin() + long(n));
        SkDecodedImage image;
        if (decode(prefix.data(), prefix.size(), image))
            EXPECT_EQ(image.pixels.size(), size_t(image.width) * image.height * (image.bpp / 8u)) << n;
    }
}

} // namespace kestrel::test
