#pragma once
#include <string>

#include "formats/ms3d/ms3d_file.h"
#include "tessera/tessera.h"

namespace kestrel::shapebin {

// Fills an empty exchange record from a parsed MS3D file, vertex-extra weights included.
bool BuildModel(const nimbus::ms3d::File& file, skModel* model);

// The animation splitter beside a model: its name with the file name's extension replaced
// by ".afs"; empty when the file name has no extension.
std::u16string SideFileName(const std::u16string& modelFile);

// Replaces the record's loops by the side file's sequences. A missing file or a bad header
// changes nothing; a frame outside 0 .. animation length, or a truncated file, leaves no loops.
void ApplySideFile(const std::u16string& sideFile, skModel* model);

} // namespace kestrel::shapebin
