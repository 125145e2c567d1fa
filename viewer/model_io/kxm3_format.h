#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class CModel;

// The native model file: "KXM3", version 2, then one root chunk holding the meshes,
// materials, skeleton and animation loops.
namespace kestrel::kxm3 {

constexpr uint8_t kMagic[4] = {'K', 'X', 'M', '3'};
constexpr uint16_t kVersion = 2;
constexpr size_t kHeaderSize = 6;
constexpr size_t kTriangleRecordSize = 42;

enum ChunkId : uint16_t {
    kRoot = 0x584B,
    kMeshes = 0xA000, kMesh = 0xA100, kMeshName = 0xA110, kMeshFlags = 0xA120, kMeshVertices = 0xA130,
    kMeshNormals = 0xA140, kMeshTexCoords = 0xA150, kMeshTriangles = 0xA160,
    kMaterials = 0xB000, kMaterial = 0xB100, kMaterialName = 0xB110, kAmbient = 0xB120, kDiffuse = 0xB130,
    kSpecular = 0xB140, kEmissive = 0xB150, kShininess = 0xB160, kTransparency = 0xB170, kDoubleSided = 0xB180,
    kDiffuseMap = 0xB101, kBumpMap = 0xB102, kAlphaMap = 0xB103, kReflectionMap = 0xB104,
    kSkeleton = 0xC000, kTotalFrames = 0xC100, kFramesPerSecond = 0xC200, kJoints = 0xC500, kJoint = 0xC510,
    kJointName = 0xC511, kJointParent = 0xC512, kJointPosition = 0xC513, kJointRotation = 0xC514,
    kPositionKeys = 0xC515, kRotationKeys = 0xC516, kLoops = 0xC600, kLoop = 0xC610, kLoopName = 0xC611,
    kLoopStart = 0xC612, kLoopEnd = 0xC613, kLoopPriority = 0xC614,
    kContainer = 0xD000,
};

// True when the first six bytes are the native magic and version.
bool IsNativeHeader(const uint8_t* data, size_t size);

// The whole file: header and root chunk.
std::vector<uint8_t> Write(const CModel& model);

enum class ReadResult {
    Complete,  // every chunk was read
    Partial,   // a damaged container ended early; what was read is kept
    Emptied,   // wrong root chunk or an unknown top-level chunk: the model is empty
};

// Unloads the model and reads a whole native file (header included) into it.
ReadResult Read(const uint8_t* data, size_t size, CModel& model);

} // namespace kestrel::kxm3
