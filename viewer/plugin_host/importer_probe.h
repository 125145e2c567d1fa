#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrel::host {

// Whether a plug-in library may be an importer, told from its file without loading it:
// an importer's registration string starts with the tag "<KXIMP>", so a library whose
// loaded contents never hold "KXIMP" cannot be one. Loading a library maps its
// dependencies (for some plug-ins the widget libraries), which costs more than a
// short command takes. Anything that is not a readable 64-bit ELF file says yes, and the
// loader decides as before.
bool MayBeImporter(const std::string& path);
// The same for the bytes of a whole file.
bool MayBeImporterFile(const uint8_t* data, size_t size);

} // namespace kestrel::host
