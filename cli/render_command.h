#pragma once
#include <string>

#include "preference_blocks.h"

namespace kestrel::cli {

struct RenderOptions {
    std::string input;
    std::string output;
    std::string plugInFolder;
    int width = 800;
    int height = 600;
    prefs::StateBlock display; // mesh, skeleton, grid, box, axes and normals options
    bool rotationGiven = false;
    float pitch = 0, yaw = 0;
    bool frameGiven = false;
    float frame = 0;
    bool console = false; // the engine's drop-down console over the picture
};

// Draws the document off screen as the view does and writes a PNG. Exit code 0 on success,
// 1 when the file does not open or the picture cannot be made or written.
int RenderCommand(const RenderOptions& options);

} // namespace kestrel::cli
