#pragma once
#include <cstdint>

#include "preference_blocks.h"

// The display-option commands of the 3D view and what each does to the state block.
namespace kestrel::view {

// Choosing the value an option already has switches the option off.
uint8_t ToggleChoice(uint8_t current, uint8_t chosen);

// Applies a render-mode, skeleton, bounding-box, grid, normals, axes or back-face command;
// false when the command is none of these.
bool ApplyDisplayCommand(prefs::StateBlock& state, int commandId);

// Whether a display command shows a check mark in the current state.
bool IsDisplayCommandChecked(const prefs::StateBlock& state, int commandId);

} // namespace kestrel::view
