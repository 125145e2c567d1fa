#include "sequence_combo.h"

namespace kestrel::anim {

namespace {
bool Lists(const AnimationSnapshot& s, const std::vector<std::string>& loopNames)
{
    return s.hasAnimation && !loopNames.empty();
}
} // namespace

std::vector<std::string> SequenceEntries(const AnimationSnapshot& s, const std::vector<std::string>& loopNames)
{
    if (!Lists(s, loopNames))
        return {std::string(kNoAnimation)};
    return loopNames;
}

std::string SequenceText(const AnimationSnapshot& s, const std::vector<std::string>& loopNames)
{
    if (!Lists(s, loopNames) || s.currentLoop < 0 || size_t(s.currentLoop) >= loopNames.size())
        return std::string(kNoAnimation);
    return loopNames[size_t(s.currentLoop)];
}

std::optional<int> FindLoopByName(const std::vector<std::string>& loopNames, std::string_view name)
{
    for (size_t i = 0; i < loopNames.size(); ++i)
        if (loopNames[i] == name)
            return int(i);
    return std::nullopt;
}

AnimationOp ChooseSequenceOp(const AnimationSnapshot& s, const std::vector<std::string>& loopNames,
                             std::string_view name)
{
    if (!s.hasAnimation)
        return {};
    const std::optional<int> index = FindLoopByName(loopNames, name);
    if (!index)
        return {};
    AnimationOp op{AnimationOp::kSetLoop};
    op.loop = *index;
    return op;
}

} // namespace kestrel::anim
