#pragma once
#include <string>

class CTexture;

// What Save does with the document's file, and writing an image without harming the old one.
namespace kestrel::view {

enum class SaveAction {
    Nothing,     // an empty document
    WriteNative, // overwrite the native model file
    WriteImage,  // overwrite the image file in its own type
    AskForName,  // continue as Save As
    Fail,        // "Error saving file!"
};

struct SaveDecision {
    SaveAction action = SaveAction::Nothing;
    unsigned imageType = 0; // the engine's image type for WriteImage
};

// The file name's extension (after its last ".") in upper case; empty when it has none.
std::string UpperExtension(const std::string& path);

// The native model's extension, added by Save As to a name typed without one.
inline constexpr const char* kNativeExtension = ".kxm3";

// The path with defaultExtension appended when its file name has no extension of its own
// (a trailing dot counts as none); otherwise the path as it is.
std::string WithDefaultExtension(const std::string& path, const std::string& defaultExtension);

// BMP and DIB bitmap, JPG and JPEG, TGA and PNG; 0 for any other extension.
unsigned ImageTypeForExtension(const std::string& upperExtension);

// Save in place: a native model file that exists is overwritten, any other model goes to
// Save As; an existing image file of a writable type is overwritten, a missing one fails.
SaveDecision DecideSave(int viewMode, const std::string& path, bool fileExists);

// Writes the image to a fresh temporary file beside the target (beside the file a symbolic
// link names), then renames it over the target, keeping its permissions; a read-only target
// is refused. On failure the target is untouched and the temporary file removed.
bool SaveImageReplacing(CTexture& image, const std::string& target, unsigned imageType);

} // namespace kestrel::view
