#pragma once
#include "nimbus/material.h"
#include "nimbus/model.h"
#include "render/render_cache.h"

namespace nimbus::render {

// Red emission on both sides: a selected mesh in the lit modes.
void SetSelectedEmission();
// Orange corner brackets around a selected mesh's drawn corners.
void DrawSelectionBox(const Box& box);
// The material of a batch; the default one for -1 or an index outside the array.
CMaterial& BatchMaterial(CModel& model, int32_t index);

} // namespace nimbus::render
