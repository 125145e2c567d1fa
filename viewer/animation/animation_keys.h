#pragma once

#include "animation_snapshot.h"
#include "animation_target.h"

// Keyboard shortcuts of a playing animation, beside the menu commands: Space plays or
// pauses, comma and period step like Step Back and Step Forward, Home and End go to the first
// and last frame of the loop.
namespace kestrel::anim {

enum class AnimationKey { kPlayPause, kStepBack, kStepForward, kFirstFrame, kLastFrame };

// Like the animation commands, every key needs a model with animation.
bool IsKeyEnabled(AnimationKey key, const AnimationSnapshot& s);

// Space pauses a running animation and plays a stopped or paused one. The steps and the
// jumps move time only while playing (paused counts), as the engine sets time only then.
AnimationOp KeyOp(AnimationKey key, const AnimationSnapshot& s);

} // namespace kestrel::anim
