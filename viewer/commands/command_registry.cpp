#include "command_registry.h"

#include <algorithm>

namespace kestrel::commands {

void CCommandRegistry::Register(int id, Owner owner, CommandHandler handler)
{
    if (!entries_.count(id))
        order_.push_back(id);
    entries_[id] = Entry{owner, std::move(handler)};
}

void CCommandRegistry::Unregister(Owner owner)
{
    std::erase_if(entries_, [owner](const auto& entry) { return entry.second.owner == owner; });
    std::erase_if(order_, [this](int id) { return !entries_.count(id); });
}

bool CCommandRegistry::Has(int id) const
{
    return entries_.count(id) != 0;
}

CommandState CCommandRegistry::State(int id) const
{
    const auto found = entries_.find(id);
    if (found == entries_.end())
        return {};
    const CommandHandler& h = found->second.handler;
    const bool allowed = !suspended_ || h.whileSuspended;
    return CommandState{allowed && (!h.enabled || h.enabled()), h.checked && h.checked()};
}

bool CCommandRegistry::Run(int id)
{
    const auto found = entries_.find(id);
    if (found == entries_.end() || !State(id).enabled || !found->second.handler.run)
        return false;
    // A copy: the command may register or unregister handlers while it runs.
    const std::function<void()> run = found->second.handler.run;
    run();
    return true;
}

std::vector<int> CCommandRegistry::Ids() const
{
    return order_;
}

} // namespace kestrel::commands
