#include "stl_parser.h"

#include <algorithm>
#include <cstring>

#include "importkit/text_lines.h"

namespace kestrel::stl {
namespace {

using importkit::After;
using importkit::ScanFloats;
using importkit::TextLine;
using importkit::TextLines;

constexpr size_t kLinePiece = 255;
constexpr size_t kHeaderSize = 80;
constexpr uint64_t kFacetSize = kBinaryRecordBytes;
static_assert(kHeaderSize + 4 == kBinaryRecordsAt);
// How far into a file of binary size "solid" may start for the ASCII form to be tried.
constexpr size_t kAsciiLookBytes = 1024;
// Triangles of one group: their corners must stay countable in 32 bits.
constexpr uint64_t kMaxTriangles = uint64_t(INT32_MAX) / 3;

bool LineWith(TextLines& lines, std::string_view key, std::string_view& rest)
{
    TextLine line;
    return lines.Next(line) && After(line.text, key, rest);
}

bool ReadVector(TextLines& lines, std::string_view key, float* out)
{
    std::string_view rest;
    return LineWith(lines, key, rest) && ScanFloats(rest, out, 3);
}

bool ReadAsciiFacet(TextLines& lines, std::string_view facetLine, Facet& facet)
{
    std::string_view rest;
    if (!After(facetLine, "facet normal", rest) || !ScanFloats(rest, facet.normal, 3))
        return false;
    if (!LineWith(lines, "outer loop", rest))
        return false;
    for (auto& corner : facet.corners)
        if (!ReadVector(lines, "vertex", corner))
            return false;
    return LineWith(lines, "endloop", rest) && LineWith(lines, "endfacet", rest);
}

// Facets up to the line holding "endsolid"; false when the text ends first or a facet
// is malformed.
bool ReadSolidFacets(TextLines& lines, std::vector<Facet>& facets)
{
    TextLine line;
    for (;;) {
        if (!lines.Next(line))
            return false;
        if (line.text.find("endsolid") != std::string_view::npos)
            return true;
        Facet facet;
        if (!ReadAsciiFacet(lines, line.text, facet))
            return false;
        facets.push_back(facet);
    }
}

void AssignName(std::string_view rest, std::string& name)
{
    const std::string_view word = importkit::ScanWord(rest);
    if (!word.empty())
        name.assign(word);
}

// A line after a solid opens another when it names "solid"; a stray "endsolid" opens none.
bool OpensSolid(std::string_view text, std::string_view& rest)
{
    return text.find("endsolid") == std::string_view::npos && After(text, "solid", rest);
}

// True when every solid ended with "endsolid". The first solid's name is kept even when
// the rest fails, as the binary attempt may use it.
bool ReadAscii(const uint8_t* data, size_t size, File& out)
{
    TextLines lines(reinterpret_cast<const char*>(data), size, kLinePiece);
    TextLine line;
    std::string_view rest;
    do {
        if (!lines.Next(line))
            return false;
    } while (!After(line.text, "solid", rest));
    AssignName(rest, out.name);
    if (!ReadSolidFacets(lines, out.facets))
        return false;
    while (lines.Next(line)) {
        if (!OpensSolid(line.text, rest))
            continue;
        Solid& solid = out.laterSolids.emplace_back();
        AssignName(rest, solid.name);
        if (!ReadSolidFacets(lines, solid.facets))
            return false;
    }
    return true;
}

bool EverySolidFits(const File& file)
{
    if (file.facets.size() > kMaxTriangles)
        return false;
    for (const Solid& solid : file.laterSolids)
        if (solid.facets.size() > kMaxTriangles)
            return false;
    return true;
}

uint32_t LeUint32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

float LeFloat(const uint8_t* p)
{
    const uint32_t bits = LeUint32(p);
    float f;
    std::memcpy(&f, &bits, sizeof(f));
    return f;
}

// Checks the header and size; the records are decoded later, from the file itself.
ParseStatus CheckBinary(const uint8_t* data, size_t size, File& out)
{
    out.facets.clear();
    out.laterSolids.clear();
    out.binary = true;
    if (size < kHeaderSize + 4)
        return ParseStatus::NotStl;
    const size_t nameLength = strnlen(reinterpret_cast<const char*>(data), kHeaderSize);
    if (nameLength >= 1 && nameLength <= 62)
        out.name.assign(reinterpret_cast<const char*>(data), nameLength);
    const uint64_t count = LeUint32(data + kHeaderSize);
    if (uint64_t(size) != kHeaderSize + 4 + kFacetSize * count)
        return ParseStatus::BadSize;
    if (count > kMaxTriangles)
        return ParseStatus::TooLarge;
    return ParseStatus::Ok;
}

bool HasBinarySize(const uint8_t* data, size_t size)
{
    return size >= kHeaderSize + 4 && uint64_t(size) == kHeaderSize + 4 + kFacetSize * LeUint32(data + kHeaderSize);
}

// Whether the ASCII reading is worth trying. A file whose size is exactly that of its
// binary triangle count is binary unless "solid" shows near its start (binary headers
// often begin with it, and then the ASCII reading fails at the first facet); any other
// file is ASCII or nothing, and no line can hold "solid" when the whole file does not.
bool MayBeAscii(const uint8_t* data, size_t size)
{
    if (HasBinarySize(data, size))
        return memmem(data, std::min(size, kAsciiLookBytes), "solid", 5) != nullptr;
    return size >= 5 && memmem(data, size, "solid", 5) != nullptr;
}

// ASCII when it holds complete solids, else checked as binary; out.binaryFile is left
// for the caller to fill.
ParseStatus ParseView(const uint8_t* data, size_t size, File& out)
{
    out = File();
    if (!data)
        size = 0;
    if (!MayBeAscii(data, size))
        return CheckBinary(data, size, out);
    if (ReadAscii(data, size, out))
        return EverySolidFits(out) ? ParseStatus::Ok : ParseStatus::TooLarge;
    return CheckBinary(data, size, out);
}

} // namespace

size_t File::FacetCount() const
{
    if (!binary)
        return facets.size();
    return binaryFile.size() > kHeaderSize + 4 ? (binaryFile.size() - kHeaderSize - 4) / kFacetSize : 0;
}

void DecodeRecord(const uint8_t* p, Facet& facet)
{
    for (int i = 0; i < 3; ++i)
        facet.normal[i] = LeFloat(p + 4 * i);
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < 3; ++i)
            facet.corners[c][i] = LeFloat(p + 12 + 12 * c + 4 * i);
}

ParseStatus Parse(const uint8_t* data, size_t size, File& out)
{
    const ParseStatus status = ParseView(data, size, out);
    if (status == ParseStatus::Ok && out.binary)
        out.binaryFile.assign(data, data + size);
    return status;
}

ParseStatus Parse(std::vector<uint8_t>&& bytes, File& out)
{
    const ParseStatus status = ParseView(bytes.data(), bytes.size(), out);
    if (status == ParseStatus::Ok && out.binary)
        out.binaryFile = std::move(bytes);
    return status;
}

const char* Describe(ParseStatus status)
{
    switch (status) {
    case ParseStatus::Ok:
        return "ok";
    case ParseStatus::NotStl:
        return "not an STL file";
    case ParseStatus::BadSize:
        return "binary STL whose size does not match its triangle count";
    case ParseStatus::TooLarge:
        return "more triangles than a model can hold";
    }
    return "unknown";
}

} // namespace kestrel::stl
