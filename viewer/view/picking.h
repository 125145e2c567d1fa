#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class CCamera;
class CModel;

// Picking a mesh under a point of the 3D view and keeping the selection list.
namespace kestrel::view {

constexpr size_t kSelectBufferSize = 16384;
constexpr int kNoHit = -1;

// The name of the hit record nearest to the eye (smallest minimum depth), or kNoHit.
// `hits` is what GL reported; a negative count (overflow) reads the records that fit.
int NearestHit(const uint32_t* buffer, size_t bufferSize, int hits);

// Draws the model's meshes in selection mode through a 3 x 3 pixel window around (x, y),
// given in framebuffer pixels from the top left, and returns the nearest mesh or kNoHit.
// The projection is restored afterwards.
int PickMesh(CModel& model, CCamera& camera, int x, int y);

// A plain click replaces the selection by the hit mesh (or nothing); an additive click
// toggles the hit mesh. `setSelected` changes a mesh's selected flag.
void UpdateSelection(std::vector<int>& selection, int hit, bool additive,
                     const std::function<void(int mesh, bool selected)>& setSelected);

} // namespace kestrel::view
