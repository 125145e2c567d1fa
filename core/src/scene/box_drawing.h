#pragma once

namespace nimbus::scene {

// Line segments of an axis-aligned box, drawn with the current colour and state.
// Corner brackets: at each corner three segments along the edges, pointing inward, each
// `fraction` of the box's extent on its axis.
void DrawBoxCorners(const float* max, const float* min, float fraction);
void DrawBoxEdges(const float* max, const float* min);
// The six faces as quads.
void DrawBoxFaces(const float* max, const float* min);

} // namespace nimbus::scene
