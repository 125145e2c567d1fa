#pragma once
#include "command_registry.h"

namespace kestrel::frame {
class CMainFrame;
}
namespace kestrel::view {
class CKestrelView;
}

namespace kestrel::capture {

// Snap to Clipboard (F7): the view's picture on the clipboard. Snap to File (F8): the view's
// picture as the next numbered JPEG in the screenshot folder.
void RegisterSnapshotCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                              frame::CMainFrame& frame, view::CKestrelView& view);

} // namespace kestrel::capture
