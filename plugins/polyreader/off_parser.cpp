#include "off_parser.h"

#include <algorithm>

#include "importkit/text_lines.h"

namespace kestrel::off {
namespace {

using importkit::ScanFloats;
using importkit::ScanInt;
using importkit::TextLine;
using importkit::TextLines;

constexpr size_t kLinePiece = 511;
// The shortest vertex line ("0 0 0") and face line ("3 0 1 2"), with their line ends:
// reservations never exceed what the file could hold.
constexpr size_t kMinVertexLine = 6;
constexpr size_t kMinFaceLine = 8;

// Comments and lines of at most one character (a bare line end) are passed over.
bool NextContentLine(TextLines& lines, std::string_view& text)
{
    TextLine line;
    while (lines.Next(line)) {
        if (line.text.size() + (line.ended ? 1 : 0) <= 1 || line.text.front() == '#')
            continue;
        text = line.text;
        return true;
    }
    return false;
}

ParseStatus ReadFace(std::string_view text, size_t vertexCount, File& out)
{
    int count = 0;
    if (!ScanInt(text, count) || count < 0)
        return ParseStatus::BadFace;
    // The corners are taken one by one from the line, so a large count cannot
    // reserve more than the line holds.
    for (int n = 0; n < count; ++n) {
        int index = 0;
        if (!ScanInt(text, index))
            return ParseStatus::BadFace;
        if (index < 0 || size_t(index) >= vertexCount)
            return ParseStatus::BadIndex;
        out.corners.push_back(index);
    }
    out.faceStart.push_back(uint32_t(out.corners.size()));
    return ParseStatus::Ok;
}

} // namespace

ParseStatus Parse(const uint8_t* data, size_t size, File& out)
{
    out = File();
    TextLines lines(reinterpret_cast<const char*>(data), data ? size : 0, kLinePiece);
    std::string_view text;
    if (!NextContentLine(lines, text) || text.find("OFF") == std::string_view::npos)
        return ParseStatus::BadHeader;
    int vertexCount = 0, faceCount = 0, edgeCount = 0;
    if (!NextContentLine(lines, text) || !ScanInt(text, vertexCount) || !ScanInt(text, faceCount) ||
        !ScanInt(text, edgeCount) || vertexCount <= 0 || faceCount <= 0)
        return ParseStatus::BadCounts;

    out.positions.reserve(std::min(size_t(vertexCount), size / kMinVertexLine) * 3);
    for (int v = 0; v < vertexCount; ++v) {
        if (!NextContentLine(lines, text))
            return ParseStatus::Truncated;
        float p[3];
        if (!ScanFloats(text, p, 3))
            return ParseStatus::BadVertex;
        out.positions.insert(out.positions.end(), p, p + 3);
    }

    out.faceStart.reserve(std::min(size_t(faceCount), size / kMinFaceLine) + 1);
    out.faceStart.push_back(0);
    for (int f = 0; f < faceCount; ++f) {
        if (!NextContentLine(lines, text))
            return ParseStatus::Truncated;
        const ParseStatus status = ReadFace(text, size_t(vertexCount), out);
        if (status != ParseStatus::Ok)
            return status;
    }
    return ParseStatus::Ok;
}

const char* Describe(ParseStatus status)
{
    switch (status) {
    case ParseStatus::Ok:
        return "ok";
    case ParseStatus::BadHeader:
        return "no OFF header";
    case ParseStatus::BadCounts:
        return "bad vertex or face count";
    case ParseStatus::BadVertex:
        return "malformed vertex line";
    case ParseStatus::BadFace:
        return "malformed face line";
    case ParseStatus::BadIndex:
        return "a face names a missing vertex";
    case ParseStatus::Truncated:
        return "the file ends early";
    }
    return "unknown";
}

} // namespace kestrel::off
