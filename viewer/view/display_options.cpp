#include "display_options.h"

#include "command_ids.h"

namespace kestrel::view {
namespace {

// A family of commands: "off" and a range of values starting at 1.
struct OptionRange {
    int off, first, last;
    uint8_t prefs::StateBlock::*option;
};

constexpr OptionRange kRanges[] = {
    {cmd::kMeshOff, cmd::kMeshFirst, cmd::kMeshLast, &prefs::StateBlock::meshMode},
    {cmd::kSkeletonOff, cmd::kSkeletonFirst, cmd::kSkeletonLast, &prefs::StateBlock::skeletonMode},
    {cmd::kBoundingBoxOff, cmd::kBoundingBoxFirst, cmd::kBoundingBoxLast, &prefs::StateBlock::boundingBoxMode},
    {cmd::kGridOff, cmd::kGridFirst, cmd::kGridLast, &prefs::StateBlock::gridMode},
};

const OptionRange* RangeOf(int commandId)
{
    for (const OptionRange& r : kRanges)
        if (commandId == r.off || (commandId >= r.first && commandId <= r.last))
            return &r;
    return nullptr;
}

uint8_t prefs::StateBlock::*FlagOf(int commandId)
{
    switch (commandId) {
    case cmd::kNormals: return &prefs::StateBlock::normalsShown;
    case cmd::kAxes: return &prefs::StateBlock::axesShown;
    case cmd::kBackFaces: return &prefs::StateBlock::backFacesShown;
    default: return nullptr;
    }
}

} // namespace

uint8_t ToggleChoice(uint8_t current, uint8_t chosen)
{
    return current == chosen ? 0 : chosen;
}

bool ApplyDisplayCommand(prefs::StateBlock& state, int commandId)
{
    if (const OptionRange* r = RangeOf(commandId)) {
        uint8_t& value = state.*(r->option);
        value = commandId == r->off ? 0 : ToggleChoice(value, uint8_t(commandId - r->first + 1));
        return true;
    }
    if (auto flag = FlagOf(commandId)) {
        state.*flag = state.*flag ? 0 : 1;
        return true;
    }
    return false;
}

bool IsDisplayCommandChecked(const prefs::StateBlock& state, int commandId)
{
    if (const OptionRange* r = RangeOf(commandId)) {
        const uint8_t value = state.*(r->option);
        return commandId == r->off ? value == 0 : value == commandId - r->first + 1;
    }
    if (auto flag = FlagOf(commandId))
        return state.*flag != 0;
    return false;
}

} // namespace kestrel::view
