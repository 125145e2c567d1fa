#pragma once
// The MD2 importer: the engine's checked parser, then the record built exactly as the
// engine's own reader builds its model, so that both show the same thing.

#include <cstdint>
#include <vector>

#include "formats/md2/md2_file.h"
#include "skin_lookup.h"
#include "tessera/tessera.h"

namespace kestrel::morphreader {

struct Md2Import {
    nimbus::md2::File file;
    int32_t frames = 0; // the frame count the header declares
};

// Parses a whole file; false for anything the engine's reader refuses.
bool ParseMd2(const std::vector<uint8_t>& bytes, Md2Import& out);

// Fills an empty record: one group "MD2 Frame" turned the engine's way, vertex normals
// from the faces, one material per entry of `materials`. The animation length is the
// declared frame count, so that an animation splitter beside the model can be checked.
bool BuildModel(const Md2Import& md2, const std::vector<SkinMaterial>& materials, skModel* model);

} // namespace kestrel::morphreader
