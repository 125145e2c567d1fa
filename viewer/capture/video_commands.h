#pragma once
#include "command_registry.h"

namespace kestrel::frame {
class CMainFrame;
}
namespace kestrel::view {
class CKestrelDoc;
class CKestrelView;
}

namespace kestrel::capture {

// Record AVI Video...: the settings, then the recording, of an animated model's sequence.
void RegisterVideoCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                           frame::CMainFrame& frame, view::CKestrelDoc& doc, view::CKestrelView& view);

} // namespace kestrel::capture
