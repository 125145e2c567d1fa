#include "formats/bvh_writer.h"

#include <charconv>

namespace kestrel::test::bvh {
namespace {

std::string Number(float f)
{
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof(buffer), f);
    return std::string(buffer, r.ptr);
}

void WriteNode(const Node& node, bool root, const std::string& indent, std::string& out)
{
    if (node.endSite)
        out += indent + "End Site\n";
    else
        out += indent + (root ? "ROOT " : "JOINT ") + node.name + "\n";
    out += indent + "{\n";
    out += indent + "\tOFFSET " + Number(node.offset[0]) + " " + Number(node.offset[1]) + " " +
           Number(node.offset[2]) + "\n";
    if (!node.endSite) {
        out += indent + "\tCHANNELS " + std::to_string(node.channels.size());
        for (const auto& c : node.channels)
            out += " " + c;
        out += "\n";
    }
    for (const Node& child : node.children)
        WriteNode(child, false, indent + "\t", out);
    out += indent + "}\n";
}

} // namespace

std::string Write(const Node& root, const std::vector<std::vector<float>>& frames, float frameTime)
{
    std::string out = "HIERARCHY\n";
    WriteNode(root, true, "", out);
    out += "MOTION\nFrames: " + std::to_string(frames.size()) + "\nFrame Time: " + Number(frameTime) + "\n";
    for (const auto& frame : frames) {
        for (size_t i = 0; i < frame.size(); ++i)
            out += (i ? " " : "") + Number(frame[i]);
        out += "\n";
    }
    return out;
}

Node EndSite(float x, float y, float z)
{
    Node node;
    node.endSite = true;
    node.offset[0] = x;
    node.offset[1] = y;
    node.offset[2] = z;
    return node;
}

} // namespace kestrel::test::bvh
