#pragma once
#include <string>

// MS3D ASCII texts for the tests and the fuzzing seeds.
namespace kestrel::test::ms3d_ascii {

// Two meshes (one skinned), two materials (the second without textures), two joints with keys.
std::string SampleText();

} // namespace kestrel::test::ms3d_ascii
