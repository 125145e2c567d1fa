#pragma once
#include <cstdint>
#include <vector>

// Per-mesh corner arrays for drawing with GL vertex arrays, rebuilt when the posed
// geometry changes (see CModel::mSkinSerial).
class CRenderCache {
public:
};
