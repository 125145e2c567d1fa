#pragma once
// The document's and the view's commands in the frame's registry: File, the display and
// camera options of the 3D view, and the image commands.

#include <functional>

#include "command_registry.h"

namespace kestrel::view {

class CKestrelDoc;
class CKestrelView;

void RegisterFileCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                          CKestrelDoc& doc, std::function<void()> openWithDialog);
void RegisterDisplayCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                             CKestrelView& view);
void RegisterImageCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                           CKestrelDoc& doc);
// Fit Window, Actual Size, Zoom In and Zoom Out, which the view carries out in its window.
void RegisterImageViewCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                               CKestrelView& view);

} // namespace kestrel::view
