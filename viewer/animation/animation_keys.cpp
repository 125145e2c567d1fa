#include "animation_keys.h"

#include "animation_commands.h"

namespace kestrel::anim {

namespace {
constexpr float kOneFrame = 1.0f;

AnimationOp JumpOp(const AnimationSnapshot& s, float time)
{
    if (!s.playing)
        return {};
    AnimationOp op{AnimationOp::kSetTime};
    op.time = time;
    return op;
}
} // namespace

bool IsKeyEnabled(AnimationKey, const AnimationSnapshot& s) { return s.hasAnimation; }

AnimationOp KeyOp(AnimationKey key, const AnimationSnapshot& s)
{
    if (!IsKeyEnabled(key, s))
        return {};
    switch (key) {
    case AnimationKey::kPlayPause:
        return IsRunning(s) ? AnimationOp{AnimationOp::kPause} : AnimationOp{AnimationOp::kPlay};
    case AnimationKey::kStepBack: return StepOp(s, -kOneFrame);
    case AnimationKey::kStepForward: return StepOp(s, kOneFrame);
    case AnimationKey::kFirstFrame: return JumpOp(s, s.loopStart);
    case AnimationKey::kLastFrame: return JumpOp(s, s.loopEnd);
    }
    return {};
}

} // namespace kestrel::anim
