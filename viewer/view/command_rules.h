#pragma once
// When the document's file and image commands may run, and which show a check mark.

#include "document.h"
#include "image_drawing.h"
#include "preference_blocks.h"

namespace kestrel::view {

// Save and Save As need something to save.
bool IsSaveEnabled(const doc::Document& document);

// The image commands (rotations, flips, grayscale, invert, normal map, the alpha channel).
bool IsImageCommand(int commandId);
// Only for an image; Toggle Alpha Channel only for one with an alpha channel (32 bits).
bool IsImageCommandEnabled(int commandId, const doc::Document& document);
bool IsImageCommandChecked(int commandId, const prefs::StateBlock& state);

// Fit Window, Actual Size, Zoom In and Zoom Out: they change how the image is shown.
bool IsImageViewCommand(int commandId);
// Only for an image; Zoom In until the largest zoom, Zoom Out until the smallest.
bool IsImageViewCommandEnabled(int commandId, const doc::Document& document, const scene::ImageView& view);

} // namespace kestrel::view
