#include "save_rules.h"

#include <cctype>
#include <filesystem>

#include "nimbus/texture.h"

namespace kestrel::view {

std::string UpperExtension(const std::string& path)
{
    const std::string name = std::filesystem::path(path).filename().string();
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return {};
    std::string ext = name.substr(dot + 1);
    for (char& c : ext)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return ext;
}

std::string WithDefaultExtension(const std::string& path, const std::string& defaultExtension)
{
    const std::string name = std::filesystem::path(path).filename().string();
    if (name.empty())
        return path;
    const size_t dot = name.rfind('.');
    // A leading dot names a hidden file, not an extension.
    if (dot != std::string::npos && dot > 0 && dot + 1 < name.size())
        return path;
    std::string base = path;
    if (!base.empty() && base.back() == '.')
        base.pop_back();
    return base + defaultExtension;
}

unsigned ImageTypeForExtension(const std::string& ext)
{
    if (ext == "BMP" || ext == "DIB")
        return SK_TEX_BMP;
    if (ext == "JPG" || ext == "JPEG")
        return SK_TEX_JPEG;
    if (ext == "TGA")
        return SK_TEX_TGA;
    if (ext == "PNG")
        return SK_TEX_PNG;
    return 0;
}

SaveDecision DecideSave(int viewMode, const std::string& path, bool fileExists)
{
    SaveDecision d;
    const std::string ext = UpperExtension(path);
    if (viewMode == 1) {
        d.action = ext == "KXM3" && fileExists ? SaveAction::WriteNative : SaveAction::AskForName;
    } else if (viewMode == 2) {
        if (!fileExists) {
            d.action = SaveAction::Fail;
        } else {
            d.imageType = ImageTypeForExtension(ext);
            d.action = d.imageType ? SaveAction::WriteImage : SaveAction::AskForName;
        }
    }
    return d;
}

bool SaveImageReplacing(CTexture& image, const std::string& target, unsigned imageType)
{
    // The engine's image savers write through its file replacement, which refuses a
    // read-only target and keeps a replaced file's permissions and symbolic links.
    return imageType && image.SaveToFile(target.c_str(), ESkTexType(imageType));
}

} // namespace kestrel::view
