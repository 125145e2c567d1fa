#pragma once
#include <string>

// Model conversion: a file opened as the viewer opens it, written through the export
// plug-ins' jobs (without their dialogs) or the native writer.
namespace kestrel::cli {

enum class ModelFormat {
    None,      // not a model format: the output is left to the image conversion
    Stl,       // ".stl": binary unless --ascii
    StlAscii,  // ".stla"
    StlBinary, // ".stlb"
    Ms3dAscii, // ".txt"
    Native,    // ".kxm3"
};

// The format an output file name asks for, by its extension in any case.
ModelFormat ModelFormatFor(const std::string& output);

struct ModelConvertOptions {
    std::string input;
    std::string output;
    std::string plugInFolder;
    ModelFormat format = ModelFormat::None;
    bool ascii = false; // STL text form
    // What the MS3D ASCII export's dialog offers; each applies only when the model has it.
    bool meshes = true;
    bool materials = true;
    bool skeleton = true;
    bool animation = true; // only with the skeleton
};

// Exit code 0 when written, 1 when the input does not open as a model, there is nothing
// to write, or the output cannot be written (the old file then stays as it was).
int ModelConvert(const ModelConvertOptions& options);

} // namespace kestrel::cli
