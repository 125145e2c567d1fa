#include "model_file.h"

#include "util/file_io.h"

namespace nimbus::readers {

bool ReadModelFile(const char* path, std::vector<uint8_t>& bytes)
{
    return path && *path && ReadWholeFile(path, bytes, kMaxModelFileBytes);
}

} // namespace nimbus::readers
