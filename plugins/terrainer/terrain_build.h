#pragma once
// Building the landscape mesh from a height image into an exchange record: one vertex
// per pixel, two triangles per pixel square, heights from the pixels' first byte,
// optional texture coordinates and smooth vertex normals.

#include "height_image.h"
#include "plugframe/job_progress.h"
#include "tessera/tessera.h"

namespace kestrel::terrain {

struct TerrainOptions {
    float lengthX = 100.0f;
    float heightY = 20.0f;
    float widthZ = 100.0f;
    float tileU = 1.0f;
    float tileV = 1.0f;
    bool textureCoords = true;
    bool quadWireframe = true;  // the squares' diagonals are hidden in wireframe
};

// Replaces the record's content with the landscape. Tests Cancel once per row; false
// when cancelled (the record then holds part of the landscape) or when the record
// cannot hold it.
bool BuildTerrain(skModel* model, const HeightImage& image, const TerrainOptions& options, CJobProgress& progress);

} // namespace kestrel::terrain
