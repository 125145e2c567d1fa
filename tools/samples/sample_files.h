#pragma once
#include <string>

// Writers of the sample set that ships beside the programs. Each returns false when a file
// cannot be written.
namespace kestrel::samples {

bool WriteAnimatedArm(const std::string& folder);   // arm.ms3d with arm.afs
bool WriteTexturedCrate(const std::string& folder); // crate.3ds with crate.tga
bool WriteTerrainStl(const std::string& folder);    // terrain.stl
bool WriteTileOff(const std::string& folder);       // tiles.off
bool WriteWalkBvh(const std::string& folder);       // walk.bvh
bool WritePyramidMd2(const std::string& folder);    // pyramid.md2 with skin.pcx
bool WriteArmText(const std::string& folder);       // arm.txt, the arm through the MS3D ASCII exporter
bool WriteImages(const std::string& folder);        // heightmap.tga and the image formats

} // namespace kestrel::samples
