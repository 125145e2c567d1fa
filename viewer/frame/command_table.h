#pragma once
#include <vector>

namespace kestrel::frame {

// One command of the menus and toolbars: its number, menu text, key and status-bar tip.
struct CommandInfo {
    int id;
    const char* text;
    const char* shortcut; // QKeySequence text, or empty
    const char* tip;      // status-bar tip
    bool checkable;
};

// Every command the frame offers; texts with "&" marks as the menus show them.
const std::vector<CommandInfo>& CommandTable();
const CommandInfo* FindCommand(int id);

} // namespace kestrel::frame
