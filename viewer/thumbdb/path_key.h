#pragma once
#include <string>

namespace kestrel::thumbdb {

// The key of a path in the thumbnail files: every UTF-16 code unit lower-cased on its own.
// Done even on a case-sensitive file system, so two files whose names differ only in case
// share one thumbnail; existing thumbnail files were written with such keys.
std::u16string PathKey(std::u16string path);

} // namespace kestrel::thumbdb
