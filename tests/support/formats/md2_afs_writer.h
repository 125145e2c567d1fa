#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Builds MD2 and animation splitter files in memory for the tests and the fuzzing seeds.
namespace kestrel::test {

struct Md2Model {
    int32_t version = 8;
    int32_t skinWidth = 256, skinHeight = 256;
    std::vector<std::string> skins;
    std::vector<uint8_t> positions;          // x, y, z bytes per vertex of the first frame
    float scale[3] = {1, 1, 1};
    float translate[3] = {0, 0, 0};
    std::vector<int16_t> texCoords;          // s, t pairs
    std::vector<int16_t> triangles;          // three vertex then three texture indices each
    int32_t frames = 1;
};

std::vector<uint8_t> WriteMd2(const Md2Model& model);
// A quad of two triangles with one skin.
Md2Model SampleMd2();

struct AfsSequence {
    std::string name;
    int32_t start = 0, end = 0;
    uint16_t priority = 0;
};

std::vector<uint8_t> WriteAfs(const std::vector<AfsSequence>& sequences, int32_t count = -1);

} // namespace kestrel::test
