#include "importkit/import_file.h"

#include "util/file_io.h"
#include "util/utf16.h"

namespace kestrel::importkit {

bool ReadImportFile(const char16_t* fileName, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    if (!fileName || !*fileName)
        return false;
    // The engine's reader: never blocks on a pipe, and caps the size as the engine does.
    return nimbus::ReadWholeFile(nimbus::Utf16ToUtf8(fileName), bytes, nimbus::kMaxModelFileBytes);
}

} // namespace kestrel::importkit
