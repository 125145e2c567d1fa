#include <algorithm>
#include <cstdint>
#include <string_view>

#include "formats/text_fields.h"
#include "ms3d_ascii_file.h"

namespace nimbus::ms3d_ascii {
namespace {

using text::LineReader;
using text::ScanFloat;
using text::ScanInt;
using text::ScanLiteral;
using text::ScanQuoted;

// Every record line holds at least one character and its line end, so a count larger than
// half the remaining bytes cannot be honest; it is refused before anything is allocated.
bool PlausibleCount(int count, const LineReader& lines)
{
    return count >= 0 && uint64_t(count) <= lines.Remaining() / 2 + 1;
}

// Lists grow with the lines actually read, so a count that lies costs nothing.
template <typename T>
T& Grow(std::vector<T>& list, int expected)
{
    if (list.empty())
        list.reserve(size_t(std::min(expected, 1024)));
    return list.emplace_back();
}

class Parser {
public:
    Parser(const char* text, size_t size, ParseError* error) : lines_(text, size), error_(error) {}

    bool Run(File& out)
    {
        std::string_view line;
        while (lines_.Next(line)) {
            std::string_view s = line;
            int n = 0;
            if (line.substr(0, 2) == "//")
                continue;
            if (ScanLiteral(s, "Frames:") && ScanInt(s, n)) {
                out.frames = n;
            } else if (s = line; ScanLiteral(s, "Frame:") && ScanInt(s, n)) {
                // the current frame is not kept
            } else if (s = line; ScanLiteral(s, "Meshes:") && ScanInt(s, n)) {
                if (!Count(n) || !Meshes(out, n))
                    return false;
            } else if (s = line; ScanLiteral(s, "Materials:") && ScanInt(s, n)) {
                if (!Count(n) || !Materials(out, n))
                    return false;
            } else if (s = line; ScanLiteral(s, "Bones:") && ScanInt(s, n)) {
                if (!Count(n) || !Joints(out, n))
                    return false;
            }
        }
        return true;
    }

private:
    bool Fail(const char* what)
    {
        if (error_) {
            error_->line = atEnd_ ? 0 : lines_.LineNumber();
            error_->what = what;
        }
        return false;
    }

    bool Count(int n) { return PlausibleCount(n, lines_) || Fail("count larger than the file"); }

    bool Line(std::string_view& s)
    {
        if (!lines_.Next(s)) {
            atEnd_ = true;
            return Fail("the file ends inside a block");
        }
        return true;
    }

    bool ReadCount(int& n)
    {
        std::string_view s;
        return Line(s) && ((ScanInt(s, n) && Count(n)) || Fail("bad count"));
    }

    bool Floats(std::string_view& s, float* out, int n)
    {
        for (int i = 0; i < n; ++i)
            if (!ScanFloat(s, out[i]))
                return false;
        return true;
    }

    bool FloatLine(float* out, int n)
    {
        std::string_view s;
        return Line(s) && (Floats(s, out, n) || Fail("bad number line"));
    }

    bool NameLine(std::string& name, bool mayBeEmpty)
    {
        std::string_view s;
        if (!Line(s))
            return false;
        // An empty quoted name converts no field; only texture and parent lines accept it.
        if (!ScanQuoted(s, name) || (!mayBeEmpty && name.empty()))
            return mayBeEmpty ? (name.clear(), true) : Fail("bad name line");
        return true;
    }

    bool Meshes(File& out, int count)
    {
        out.meshes.clear();
        for (int i = 0; i < count; ++i) {
            Mesh& m = Grow(out.meshes, count);
            std::string_view s;
            int flags = 0;
            if (!Line(s))
                return false;
            if (!ScanQuoted(s, m.name) || m.name.empty() || !ScanInt(s, flags) || !ScanInt(s, m.material))
                return Fail("bad mesh line");
            int n = 0;
            if (!ReadCount(n))
                return false;
            for (int e = 0; e < n; ++e) {
                Vertex& v = Grow(m.vertices, n);
                if (!Line(s))
                    return false;
                if (!ScanInt(s, flags) || !Floats(s, v.position, 3) || !ScanFloat(s, v.u) || !ScanFloat(s, v.v) ||
                    !ScanInt(s, v.joint))
                    return Fail("bad vertex line");
            }
            if (!ReadCount(n))
                return false;
            for (int e = 0; e < n; ++e)
                if (!FloatLine(Grow(m.normals, n).xyz, 3))
                    return false;
            if (!ReadCount(n))
                return false;
            for (int e = 0; e < n; ++e) {
                Triangle& t = Grow(m.triangles, n);
                if (!Line(s))
                    return false;
                if (!ScanInt(s, flags) || !ScanInt(s, t.vertices[0]) || !ScanInt(s, t.vertices[1]) ||
                    !ScanInt(s, t.vertices[2]) || !ScanInt(s, t.normals[0]) || !ScanInt(s, t.normals[1]) ||
                    !ScanInt(s, t.normals[2]) || !ScanInt(s, t.smoothingGroup))
                    return Fail("bad triangle line");
                for (int k = 0; k < 3; ++k) {
                    if (t.vertices[k] < 0 || size_t(t.vertices[k]) >= m.vertices.size())
                        return Fail("triangle names a missing vertex");
                    if (t.normals[k] < 0 || size_t(t.normals[k]) >= m.normals.size())
                        return Fail("triangle names a missing normal");
                }
            }
        }
        return true;
    }

    bool Materials(File& out, int count)
    {
        out.materials.clear();
        for (int i = 0; i < count; ++i) {
            Material& m = Grow(out.materials, count);
            if (!NameLine(m.name, false) || !FloatLine(m.ambient, 4) || !FloatLine(m.diffuse, 4) ||
                !FloatLine(m.specular, 4) || !FloatLine(m.emissive, 4) || !FloatLine(&m.shininess, 1) ||
                !FloatLine(&m.transparency, 1) || !NameLine(m.texture, true) || !NameLine(m.alphaMap, true))
                return false;
        }
        return true;
    }

    bool Keys(std::vector<Key>& keys)
    {
        int n = 0;
        if (!ReadCount(n))
            return false;
        for (int i = 0; i < n; ++i) {
            Key& k = Grow(keys, n);
            std::string_view s;
            if (!Line(s))
                return false;
            if (!ScanFloat(s, k.frame) || !Floats(s, k.value, 3))
                return Fail("bad key line");
        }
        return true;
    }

    bool Joints(File& out, int count)
    {
        out.joints.clear();
        for (int i = 0; i < count; ++i) {
            Joint& j = Grow(out.joints, count);
            if (!NameLine(j.name, false) || !NameLine(j.parentName, true))
                return false;
            std::string_view s;
            int flags = 0;
            if (!Line(s))
                return false;
            if (!ScanInt(s, flags) || !Floats(s, j.position, 3) || !Floats(s, j.rotation, 3))
                return Fail("bad joint line");
            if (!Keys(j.positionKeys) || !Keys(j.rotationKeys))
                return false;
        }
        return true;
    }

    LineReader lines_;
    ParseError* error_;
    bool atEnd_ = false;
};

} // namespace

bool Parse(const char* text, size_t size, File& out, ParseError* error)
{
    out = File();
    Parser parser(text, size, error);
    if (parser.Run(out))
        return true;
    out = File();
    return false;
}

} // namespace nimbus::ms3d_ascii
