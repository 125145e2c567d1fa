#pragma once
// The MS3D ASCII importer: the engine's checked parser, then the record built as the
// engine's own reader builds its model. Text files are common, so only a file that says
// what it is on its first line is taken.

#include <cstdint>
#include <vector>

#include "formats/ms3d_ascii/ms3d_ascii_file.h"
#include "tessera/tessera.h"

namespace kestrel::shapetextreader {

inline constexpr char kHeaderLine[] = "// MilkShape 3D ASCII";

// Whether the first line (after an optional UTF-8 byte order mark) is the format's
// header comment, alone or followed by blanks.
bool IsMs3dAsciiText(const uint8_t* data, size_t size);

// Looks at the start of the named file only, so that a large text of another kind is
// refused without being read whole.
bool FileStartsAsMs3dAscii(const char16_t* fileName);

// Recognises and parses a whole file; false for any other text or any parse error.
bool ParseMs3dAscii(const std::vector<uint8_t>& bytes, nimbus::ms3d_ascii::File& out);

// Fills an empty record: meshes with per-vertex texture coordinates and single-joint
// influences, materials, joints with their keys, and the frame count.
bool BuildModel(const nimbus::ms3d_ascii::File& file, skModel* model);

} // namespace kestrel::shapetextreader
