#pragma once
// File Print, Print Preview and Print Setup in the frame's registry.

#include "command_registry.h"

namespace kestrel::frame {
class CMainFrame;
}
namespace kestrel::view {
class CKestrelDoc;
class CKestrelView;
}

namespace kestrel::printing {

// Printing needs a model or an image to print (view mode 1 or 2).
bool IsPrintEnabled(int viewMode);

// The controller behind the commands lives as long as the view.
void RegisterPrintCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                           frame::CMainFrame& frame, view::CKestrelDoc& doc, view::CKestrelView& view);

} // namespace kestrel::printing
