#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "animation_snapshot.h"
#include "animation_target.h"

// The sequences combo of the animation toolbar: its entries, its shown text and choosing a
// loop by name. Names are the model's 8-bit texts as ReadLoopNames gives them.
namespace kestrel::anim {

inline constexpr std::string_view kNoAnimation = "No Animation";

// The loop names in order, or only "No Animation" for a model without animation (or without
// loops to list).
std::vector<std::string> SequenceEntries(const AnimationSnapshot& s, const std::vector<std::string>& loopNames);

// The current loop's name, or "No Animation".
std::string SequenceText(const AnimationSnapshot& s, const std::vector<std::string>& loopNames);

// The first loop whose name equals the text exactly.
std::optional<int> FindLoopByName(const std::vector<std::string>& loopNames, std::string_view name);

// Makes the first loop of that name current; nothing when no loop has it or the model has
// no animation.
AnimationOp ChooseSequenceOp(const AnimationSnapshot& s, const std::vector<std::string>& loopNames,
                             std::string_view name);

} // namespace kestrel::anim
