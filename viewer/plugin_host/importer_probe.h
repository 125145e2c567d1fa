#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrel::host {

// What a plug-in library's file tells of it without loading it. An importer's registration
// string starts with the tag "<KXIMP>", so a library whose loaded contents never hold "KXIMP"
// cannot be one; where the whole registration string stands there as text, the extensions
// it declares are known too. Loading a library maps its dependencies (for some plug-ins the
// widget libraries), which costs more than a short command takes. Anything that is not a
// readable 64-bit ELF file is left to the loader.
enum class ImporterProbe {
    kNotImporter,
    kDeclares,       // its registration text declares the extension
    kDeclaresOthers, // its registration text is whole and declares other extensions only
    kUnknown,        // perhaps an importer, of types known only once it is loaded
};

// The extension is compared without regard to case; an empty one is declared by nobody.
ImporterProbe ProbeImporter(const std::string& path, const std::string& extension);
// The same for the bytes of a whole file.
ImporterProbe ProbeImporterFile(const uint8_t* data, size_t size, const std::string& extension);

inline bool MayBeImporter(const std::string& path)
{
    return ProbeImporter(path, {}) != ImporterProbe::kNotImporter;
}
inline bool MayBeImporterFile(const uint8_t* data, size_t size)
{
    return ProbeImporterFile(data, size, {}) != ImporterProbe::kNotImporter;
}

} // namespace kestrel::host
