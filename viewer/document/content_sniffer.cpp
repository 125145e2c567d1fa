#include "content_sniffer.h"

#include <cstring>
#include <fstream>
#include <initializer_list>

namespace kestrel::doc {
namespace {

constexpr size_t kNativeHeaderSize = 6;
constexpr size_t kStlHeaderSize = 84;   // 80-byte text, then the triangle count
constexpr uint64_t kStlTriangleSize = 50;
constexpr size_t kChunkHeaderSize = 6;  // 3DS: u16 id, u32 length
constexpr uint16_t kStudioMain = 0x4D4D;
constexpr uint16_t kCelMagic = 0x9119;
constexpr uint8_t kPcxManufacturer = 10;
constexpr uint32_t kMd2Version = 8;

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

class Head {
public:
    Head(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0) {}
    bool Has(size_t n) const { return size_ >= n; }
    bool StartsWith(const char* text, size_t at = 0) const
    {
        const size_t n = std::strlen(text);
        return size_ >= at + n && std::memcmp(data_ + at, text, n) == 0;
    }
    const uint8_t* At(size_t at) const { return data_ + at; }
    size_t Size() const { return size_; }

private:
    const uint8_t* data_;
    size_t size_;
};

bool IsSpace(uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// Where text begins after a UTF-8 byte-order mark and blank space.
size_t TextStart(const Head& h)
{
    size_t i = h.StartsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < h.Size() && IsSpace(*h.At(i)))
        ++i;
    return i;
}

bool WordAt(const Head& h, size_t at, const char* word)
{
    const size_t n = std::strlen(word);
    return h.StartsWith(word, at) && (h.Size() == at + n || IsSpace(*h.At(at + n)));
}

std::string SniffText(const Head& h)
{
    const size_t at = TextStart(h);
    if (h.StartsWith("// MilkShape 3D ASCII", at))
        return "TXT";
    if (WordAt(h, at, "HIERARCHY"))
        return "BVH";
    // OFF and its variants: COFF, NOFF, STOFF, 4OFF, nOFF and their combinations.
    for (const char* word : {"OFF", "COFF", "NOFF", "CNOFF", "STOFF", "STCOFF", "STNOFF", "4OFF", "nOFF"})
        if (WordAt(h, at, word))
            return "OFF";
    if (WordAt(h, at, "solid")) {
        const std::string text(reinterpret_cast<const char*>(h.At(at)), h.Size() - at);
        if (text.find("facet") != std::string::npos || text.find("endsolid") != std::string::npos)
            return "STL";
    }
    return {};
}

bool IsBinaryStl(const Head& h, uint64_t fileSize)
{
    return h.Has(kStlHeaderSize) && fileSize == kStlHeaderSize + kStlTriangleSize * U32(h.At(80));
}

bool IsStudio(const Head& h, uint64_t fileSize)
{
    if (!h.Has(kChunkHeaderSize * 2) || U16(h.At(0)) != kStudioMain)
        return false;
    const uint32_t length = U32(h.At(2));
    const uint32_t firstChild = U32(h.At(8));
    return length >= kChunkHeaderSize && length <= fileSize && firstChild >= kChunkHeaderSize &&
           firstChild <= length - kChunkHeaderSize;
}

bool KnownDibHeader(uint32_t size)
{
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124 ||
           size == 16;
}

bool KnownBitCount(unsigned bits)
{
    return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool IsBmp(const Head& h) { return h.StartsWith("BM") && h.Has(18) && KnownDibHeader(U32(h.At(14))); }

// A clipboard DIB: the information header with no file header before it.
bool IsDib(const Head& h)
{
    if (!h.Has(16) || !KnownDibHeader(U32(h.At(0))))
        return false;
    if (U32(h.At(0)) == 12)
        return U16(h.At(4)) > 0 && U16(h.At(6)) > 0 && U16(h.At(8)) == 1 && KnownBitCount(U16(h.At(10)));
    return int32_t(U32(h.At(4))) > 0 && U32(h.At(8)) != 0 && U16(h.At(12)) == 1 && KnownBitCount(U16(h.At(14)));
}

bool IsPcx(const Head& h)
{
    if (!h.Has(128) || *h.At(0) != kPcxManufacturer)
        return false;
    const uint8_t version = *h.At(1), encoding = *h.At(2), bits = *h.At(3), planes = *h.At(65);
    return (version == 0 || (version >= 2 && version <= 5)) && encoding <= 1 &&
           (bits == 1 || bits == 2 || bits == 4 || bits == 8) && planes >= 1 && planes <= 4 &&
           U16(h.At(8)) >= U16(h.At(4)) && U16(h.At(10)) >= U16(h.At(6));
}

bool IsTga(const Head& h)
{
    if (!h.Has(18))
        return false;
    const uint8_t mapType = *h.At(1), type = *h.At(2), depth = *h.At(16), descriptor = *h.At(17);
    const bool mapped = type == 1 || type == 9;
    const bool known = mapped || type == 2 || type == 3 || type == 10 || type == 11;
    if (!known || mapType > 1 || (mapped && mapType != 1))
        return false;
    if (mapType == 1 && !(*h.At(7) == 15 || *h.At(7) == 16 || *h.At(7) == 24 || *h.At(7) == 32))
        return false;
    if (mapType == 0 && (U16(h.At(5)) != 0 || *h.At(7) != 0))
        return false;
    return U16(h.At(12)) > 0 && U16(h.At(14)) > 0 &&
           (depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32) && (descriptor & 0xC0) == 0;
}

} // namespace

std::string SniffExtension(const uint8_t* data, size_t size, uint64_t fileSize)
{
    const Head h(data, size);
    if (h.StartsWith("KXM3") && h.Has(kNativeHeaderSize))
        return "KXM3";
    if (h.StartsWith("MS3D000000"))
        return "MS3D";
    if (h.StartsWith("\x89PNG\r\n\x1A\n"))
        return "PNG";
    if (h.StartsWith("GIF87a") || h.StartsWith("GIF89a"))
        return "GIF";
    if (h.StartsWith("\xFF\xD8\xFF"))
        return "JPG";
    if (h.StartsWith("DDS ") && h.Has(8) && U32(h.At(4)) == 124)
        return "DDS";
    if (h.StartsWith("IDP2") && h.Has(8) && U32(h.At(4)) == kMd2Version)
        return "MD2";
    if (IsBmp(h))
        return "BMP";
    if (h.Has(12) && U16(h.At(0)) == kCelMagic && *h.At(10) == 8)
        return "CEL";
    // A binary STL's text header may itself begin with "solid": its size decides first.
    if (IsBinaryStl(h, fileSize))
        return "STL";
    if (std::string text = SniffText(h); !text.empty())
        return text;
    if (IsStudio(h, fileSize))
        return "3DS";
    if (IsPcx(h))
        return "PCX";
    if (IsDib(h))
        return "DIB";
    if (IsTga(h))
        return "TGA";
    return {};
}

std::string SniffFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    in.seekg(0, std::ios::beg);
    if (end <= 0)
        return {};
    uint8_t head[kSniffBytes];
    in.read(reinterpret_cast<char*>(head), std::streamsize(sizeof(head)));
    return SniffExtension(head, size_t(in.gcount()), uint64_t(end));
}

} // namespace kestrel::doc
