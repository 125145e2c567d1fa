#include "arguments.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kestrel::cli {
namespace {

bool ToInt(const std::string& text, long low, long high, long& out)
{
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != 0 || v < low || v > high)
        return false;
    out = v;
    return true;
}

bool ToFloat(const std::string& text, float& out)
{
    char* end = nullptr;
    const float v = std::strtof(text.c_str(), &end);
    if (text.empty() || *end != 0 || !std::isfinite(v))
        return false;
    out = v;
    return true;
}

// WIDTHxHEIGHT, each side from low to high.
bool ToSize(const std::string& text, long low, long high, int& width, int& height)
{
    const size_t x = text.find('x');
    long w = 0, h = 0;
    if (x == std::string::npos || !ToInt(text.substr(0, x), low, high, w) || !ToInt(text.substr(x + 1), low, high, h))
        return false;
    width = int(w);
    height = int(h);
    return true;
}

// Options that take one small integer stored in the display state.
bool DisplayOption(const std::string& name, const std::string& value, prefs::StateBlock& d, std::string& error)
{
    struct Field {
        const char* name;
        uint8_t prefs::StateBlock::*member;
        long high;
    };
    static const Field fields[] = {
        {"--mode", &prefs::StateBlock::meshMode, 15},       {"--skeleton", &prefs::StateBlock::skeletonMode, 5},
        {"--grid", &prefs::StateBlock::gridMode, 4},        {"--bbox", &prefs::StateBlock::boundingBoxMode, 4},
        {"--axes", &prefs::StateBlock::axesShown, 1},       {"--normals", &prefs::StateBlock::normalsShown, 1},
    };
    for (const Field& f : fields)
        if (name == f.name) {
            long v = 0;
            if (!ToInt(value, 0, f.high, v)) {
                error = name + " takes a whole number from 0 to " + std::to_string(f.high);
                return false;
            }
            d.*f.member = uint8_t(v);
            return true;
        }
    error = "unknown option " + name;
    return false;
}

// One step through a command's arguments: a file name (only one allowed) or an option,
// whose value is then in `value`. False with `error` set when the arguments are wrong.
enum class Step { File, Option };
bool NextArgument(const std::vector<std::string>& args, size_t& i, std::string& input, const std::string& tooMany,
                  Step& step, std::string& value, std::string& error)
{
    const std::string& a = args[i];
    if (a.size() < 2 || a[0] != '-') {
        if (!input.empty()) {
            error = tooMany + a;
            return false;
        }
        input = a;
        step = Step::File;
        return true;
    }
    if (i + 1 >= args.size()) {
        error = a + " needs a value";
        return false;
    }
    value = args[++i];
    step = Step::Option;
    return true;
}

} // namespace

bool ParseRenderArguments(const std::vector<std::string>& args, RenderOptions& o, std::string& error)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string a = args[i];
        if (a == "--console") {
            o.console = true;
            continue;
        }
        Step step;
        std::string v;
        if (!NextArgument(args, i, o.input, "only one file can be rendered: ", step, v, error))
            return false;
        if (step == Step::File)
            continue;
        if (a == "-o") {
            o.output = v;
        } else if (a == "--plugins") {
            o.plugInFolder = v;
        } else if (a == "--size") {
            if (!ToSize(v, 1, 8192, o.width, o.height)) {
                error = "--size takes WIDTHxHEIGHT, each from 1 to 8192";
                return false;
            }
        } else if (a == "--rotation") {
            const size_t comma = v.find(',');
            if (comma == std::string::npos || !ToFloat(v.substr(0, comma), o.pitch) ||
                !ToFloat(v.substr(comma + 1), o.yaw)) {
                error = "--rotation takes PITCH,YAW in degrees";
                return false;
            }
            o.rotationGiven = true;
        } else if (a == "--frame") {
            if (!ToFloat(v, o.frame) || o.frame < 0) {
                error = "--frame takes a frame number of 0 or more";
                return false;
            }
            o.frameGiven = true;
        } else if (!DisplayOption(a, v, o.display, error)) {
            return false;
        }
    }
    if (o.input.empty() || o.output.empty()) {
        error = "render needs a FILE and -o OUT.png";
        return false;
    }
    return true;
}

// WIDTHxHEIGHT, or one number N for a square NxN (the form file managers pass).
bool ToThumbnailSize(const std::string& text, int& width, int& height)
{
    long side = 0;
    if (text.find('x') == std::string::npos) {
        if (!ToInt(text, kMinThumbnailSide, kMaxThumbnailSide, side))
            return false;
        width = height = int(side);
        return true;
    }
    return ToSize(text, kMinThumbnailSide, kMaxThumbnailSide, width, height);
}

bool ParseThumbnailArguments(const std::vector<std::string>& args, ThumbnailOptions& o, std::string& error)
{
    std::string positionalOutput;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string a = args[i];
        if (a.size() >= 2 && a[0] == '-' && a != "-o" && a != "--plugins" && a != "--size") {
            error = "unknown option " + a;
            return false;
        }
        // A second file name is the output, as in a thumbnailer's "%i %o".
        if (!o.input.empty() && positionalOutput.empty() && (a.size() < 2 || a[0] != '-')) {
            positionalOutput = a;
            continue;
        }
        Step step;
        std::string v;
        if (!NextArgument(args, i, o.input, "thumbnail takes one file and one output: ", step, v, error))
            return false;
        if (step == Step::File)
            continue;
        if (a == "-o") {
            o.output = v;
        } else if (a == "--plugins") {
            o.plugInFolder = v;
        } else if (!ToThumbnailSize(v, o.width, o.height)) {
            error = "--size takes WIDTHxHEIGHT or N (NxN), each side from " + std::to_string(kMinThumbnailSide) +
                    " to " + std::to_string(kMaxThumbnailSide);
            return false;
        }
    }
    if (!positionalOutput.empty()) {
        if (!o.output.empty()) {
            error = "thumbnail takes either -o OUT.png or a second file name, not both";
            return false;
        }
        o.output = positionalOutput;
    }
    if (o.input.empty() || o.output.empty()) {
        error = "thumbnail needs a FILE and -o OUT.png";
        return false;
    }
    return true;
}

bool ParseInfoArguments(const std::vector<std::string>& args, std::string& file, std::string& plugIns,
                        std::string& error)
{
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--plugins") {
            if (i + 1 >= args.size()) {
                error = "--plugins needs a folder";
                return false;
            }
            plugIns = args[++i];
        } else if (!args[i].empty() && args[i][0] == '-') {
            error = "unknown option " + args[i];
            return false;
        } else if (file.empty()) {
            file = args[i];
        } else {
            error = "info takes one file";
            return false;
        }
    }
    if (file.empty()) {
        error = "info needs a FILE";
        return false;
    }
    return true;
}

bool ParseModelConvertArguments(const std::vector<std::string>& args, ModelConvertOptions& o, std::string& error)
{
    struct Switch {
        const char* name;
        bool ModelConvertOptions::*member;
        bool value;
    };
    static const Switch parts[] = {{"--no-meshes", &ModelConvertOptions::meshes, false},
                                   {"--no-materials", &ModelConvertOptions::materials, false},
                                   {"--no-skeleton", &ModelConvertOptions::skeleton, false},
                                   {"--no-animation", &ModelConvertOptions::animation, false}};
    bool ascii = false, binary = false, partsGiven = false;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--plugins") {
            if (i + 1 >= args.size()) {
                error = "--plugins needs a folder";
                return false;
            }
            o.plugInFolder = args[++i];
        } else if (a == "--ascii") {
            ascii = true;
        } else if (a == "--binary") {
            binary = true;
        } else if (a.size() >= 2 && a[0] == '-') {
            const auto part = std::find_if(std::begin(parts), std::end(parts),
                                           [&](const Switch& s) { return a == s.name; });
            if (part == std::end(parts)) {
                error = "unknown option " + a;
                return false;
            }
            o.*(part->member) = part->value;
            partsGiven = true;
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) {
        error = "convert needs IN and OUT";
        return false;
    }
    o.input = files[0];
    o.output = files[1];
    o.format = ModelFormatFor(o.output);
    const bool stl = o.format == ModelFormat::Stl || o.format == ModelFormat::StlAscii ||
                     o.format == ModelFormat::StlBinary;
    if ((ascii || binary) && !stl) {
        error = "--ascii and --binary apply to STL output only";
        return false;
    }
    if ((ascii && binary) || (ascii && o.format == ModelFormat::StlBinary) ||
        (binary && o.format == ModelFormat::StlAscii)) {
        error = "choose one STL form: --ascii, --binary or the extension .stla / .stlb";
        return false;
    }
    if (partsGiven && o.format != ModelFormat::Ms3dAscii) {
        error = "--no-meshes, --no-materials, --no-skeleton and --no-animation apply to .txt output only";
        return false;
    }
    o.ascii = ascii;
    return true;
}

} // namespace kestrel::cli
