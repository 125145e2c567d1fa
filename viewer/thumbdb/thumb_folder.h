#pragma once
#include <filesystem>

namespace kestrel::thumbdb {

// The per-user folder of the thumbnail files: the user's data folder + "Halvard/Kestrel3".
// Not created here; the database creates each missing level when it opens.
std::filesystem::path DefaultThumbFolder();

} // namespace kestrel::thumbdb
