#pragma once
#include <functional>

#include "command_registry.h"

namespace kestrel::browser {

class CFileListPane;

// The file list's commands: its five view modes, Refresh Folder, the clipboard, Rename,
// Delete, Next and Previous File. `modeChosen` stores a new view mode in the settings.
void RegisterFileListCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                              CFileListPane& pane, std::function<void(int mode)> modeChosen);

} // namespace kestrel::browser
