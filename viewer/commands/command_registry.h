#pragma once
// What each command of the menus, toolbars and keys does, kept apart from the widgets that
// show it: a feature registers, for each of its command ids, what runs, when it is enabled
// and when it shows a check mark. The window asks here when it runs a command and when it
// refreshes its actions.

#include <functional>
#include <unordered_map>
#include <vector>

namespace kestrel::commands {

struct CommandHandler {
    std::function<void()> run;
    std::function<bool()> enabled; // empty: always enabled
    std::function<bool()> checked; // empty: never checked
    bool whileSuspended = false;   // stays available while the registry is suspended
};

struct CommandState {
    bool enabled = false;
    bool checked = false;
};

class CCommandRegistry {
public:
    // Whoever registered a handler; its handlers go together when it goes.
    using Owner = const void*;

    // A later registration of the same id replaces the earlier one, whoever made it.
    void Register(int id, Owner owner, CommandHandler handler);
    void Unregister(Owner owner);

    bool Has(int id) const;
    // An id nobody handles is disabled and unchecked.
    CommandState State(int id) const;
    // Runs the command when it is registered and enabled now; false otherwise, so a stale
    // enabled button or key cannot run a command whose rule says no.
    bool Run(int id);
    // While the document is busy (a long file read) only the commands marked to stay
    // available may run; the rest show disabled.
    void SetSuspended(bool on) { suspended_ = on; }
    bool Suspended() const { return suspended_; }
    // Ids in the order they were first registered.
    std::vector<int> Ids() const;

private:
    struct Entry {
        Owner owner;
        CommandHandler handler;
    };
    std::unordered_map<int, Entry> entries_;
    std::vector<int> order_;
    bool suspended_ = false;
};

} // namespace kestrel::commands
