#include "bvh_parser.h"

#include <array>

#include "importkit/text_lines.h"

namespace kestrel::bvh {
namespace {

using importkit::After;
using importkit::ScanFloats;
using importkit::ScanInt;
using importkit::ScanWord;
using importkit::TextLine;
using importkit::TextLines;

bool Contains(std::string_view text, std::string_view key) { return text.find(key) != std::string_view::npos; }

bool IsBlankLine(std::string_view text) { return text.find_first_not_of(" \t\r\v\f") == std::string_view::npos; }

std::string NameAfter(std::string_view text, std::string_view key)
{
    std::string_view rest;
    After(text, key, rest);
    return std::string(ScanWord(rest).substr(0, kMaxNameLength));
}

bool ChannelFromName(std::string_view name, Channel& out)
{
    static constexpr std::array<std::string_view, 6> kNames = {"Xposition", "Yposition", "Zposition",
                                                               "Xrotation", "Yrotation", "Zrotation"};
    for (size_t i = 0; i < kNames.size(); ++i)
        if (name == kNames[i]) {
            out = Channel(i);
            return true;
        }
    return false;
}

// The "{" line (which may also be the keyword line itself) and the offset line.
bool ReadBraceAndOffset(TextLines& lines, std::string_view keywordLine, Joint& joint)
{
    TextLine line;
    if (!Contains(keywordLine, "{") && (!lines.Next(line) || !Contains(line.text, "{")))
        return false;
    std::string_view rest;
    return lines.Next(line) && After(line.text, "OFFSET", rest) && ScanFloats(rest, joint.offset, 3);
}

// "CHANNELS n" and n channel names; a root needs every position and rotation once, a
// joint every rotation once.
bool ReadChannels(TextLines& lines, bool root, Joint& joint)
{
    TextLine line;
    std::string_view rest;
    int count = 0;
    if (!lines.Next(line) || !After(line.text, "CHANNELS", rest) || !ScanInt(rest, count) || count != (root ? 6 : 3))
        return false;
    unsigned seen = 0;
    for (int i = 0; i < count; ++i) {
        Channel channel;
        if (!ChannelFromName(ScanWord(rest), channel))
            return false;
        const unsigned bit = 1u << unsigned(channel);
        if (seen & bit)
            return false;
        seen |= bit;
        joint.channels.push_back(channel);
    }
    return seen == (root ? 0x3Fu : 0x38u);
}

ParseStatus ReadHierarchy(TextLines& lines, File& out)
{
    TextLine line;
    do {
        if (!lines.Next(line))
            return ParseStatus::NoHierarchy;
    } while (!Contains(line.text, "HIERARCHY"));

    std::vector<size_t> open;  // records whose "}" has not come yet
    bool rootSeen = false;
    while (lines.Next(line)) {
        const std::string_view text = line.text;
        if (Contains(text, "MOTION"))
            break;
        if (!rootSeen) {
            if (!Contains(text, "ROOT"))
                continue;
            Joint root;
            root.name = NameAfter(text, "ROOT");
            if (!ReadBraceAndOffset(lines, text, root) || !ReadChannels(lines, true, root))
                return ParseStatus::BadRoot;
            out.joints.push_back(std::move(root));
            open.push_back(0);
            rootSeen = true;
            continue;
        }
        const bool joint = Contains(text, "JOINT");
        if (joint || Contains(text, "End Site")) {
            const Joint& parent = out.joints[open.back()];
            Joint record;
            record.parentName = parent.name;
            record.depth = parent.depth + 1;
            record.endSite = !joint;
            record.name = joint ? NameAfter(text, "JOINT") : (parent.name + " End Site").substr(0, kMaxNameLength);
            if (!ReadBraceAndOffset(lines, text, record))
                return joint ? ParseStatus::BadJoint : ParseStatus::BadEndSite;
            if (joint && !ReadChannels(lines, false, record))
                return ParseStatus::BadJoint;
            open.push_back(out.joints.size());
            out.joints.push_back(std::move(record));
        } else if (Contains(text, "}")) {
            open.pop_back();
            if (open.empty())
                break;
        } else if (!IsBlankLine(text)) {
            break;  // anything else inside a joint ends the hierarchy
        }
    }
    if (!rootSeen)
        return ParseStatus::NoHierarchy;
    for (Joint& joint : out.joints) {
        joint.firstValue = out.valuesPerFrame;
        out.valuesPerFrame += joint.channels.size();
    }
    return ParseStatus::Ok;
}

// Blank-separated values; like atof, a token that is not a number counts as 0.
bool ReadFrame(std::string_view text, size_t count, std::vector<float>& values)
{
    for (size_t i = 0; i < count; ++i) {
        std::string_view token = ScanWord(text);
        if (token.empty())
            return false;
        float value = 0;
        if (!importkit::ScanFloat(token, value))
            value = 0;
        values.push_back(value);
    }
    return true;
}

ParseStatus ReadMotion(TextLines& lines, File& out)
{
    TextLine line;
    do {
        if (!lines.Next(line))
            return ParseStatus::NoMotion;
    } while (!Contains(line.text, "MOTION"));
    std::string_view rest;
    if (!lines.Next(line) || !After(line.text, "Frames:", rest) || !ScanInt(rest, out.frameCount) ||
        out.frameCount < 0)
        return ParseStatus::BadFrames;
    if (!lines.Next(line) || !After(line.text, "Frame Time:", rest) || !importkit::ScanFloat(rest, out.frameTime))
        return ParseStatus::BadFrameTime;
    if (uint64_t(out.frameCount) * out.joints.size() > kMaxKeys)
        return ParseStatus::TooLarge;
    for (int32_t f = 0; f < out.frameCount; ++f) {
        do {
            if (!lines.Next(line))
                return ParseStatus::Truncated;
        } while (IsBlankLine(line.text));
        if (!ReadFrame(line.text, out.valuesPerFrame, out.values))
            return ParseStatus::ShortFrame;
    }
    return ParseStatus::Ok;
}

} // namespace

ParseStatus Parse(const uint8_t* data, size_t size, File& out)
{
    out = File();
    TextLines lines(reinterpret_cast<const char*>(data), data ? size : 0);
    const ParseStatus hierarchy = ReadHierarchy(lines, out);
    if (hierarchy != ParseStatus::Ok)
        return hierarchy;
    lines.Rewind();
    return ReadMotion(lines, out);
}

const char* Describe(ParseStatus status)
{
    switch (status) {
    case ParseStatus::Ok:
        return "ok";
    case ParseStatus::NoHierarchy:
        return "no hierarchy or root";
    case ParseStatus::BadRoot:
        return "malformed root";
    case ParseStatus::BadJoint:
        return "malformed joint";
    case ParseStatus::BadEndSite:
        return "malformed end site";
    case ParseStatus::NoMotion:
        return "no motion section";
    case ParseStatus::BadFrames:
        return "no frame count";
    case ParseStatus::BadFrameTime:
        return "no frame time";
    case ParseStatus::ShortFrame:
        return "a frame has fewer values than channels";
    case ParseStatus::Truncated:
        return "fewer frames than announced";
    case ParseStatus::TooLarge:
        return "too many joints times frames";
    }
    return "unknown";
}

} // namespace kestrel::bvh
