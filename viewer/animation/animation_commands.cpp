#include "animation_commands.h"

#include <cmath>

#include "animation_speed.h"
#include "command_ids.h"

namespace kestrel::anim {

namespace {
constexpr float kPlayFromLoopStart = 0.0f;
constexpr float kOneFrame = 1.0f;

AnimationOp Op(AnimationOp::Kind kind) { return AnimationOp{kind}; }

AnimationOp LoopOp(int index)
{
    if (index < 0)
        return {};
    AnimationOp op{AnimationOp::kSetLoop};
    op.loop = index;
    return op;
}
} // namespace

bool IsAnimationCommand(int id)
{
    switch (id) {
    case cmd::kPlay: case cmd::kStop: case cmd::kPause: case cmd::kLoopBack: case cmd::kLoopNext:
    case cmd::kSpeedUp: case cmd::kSlowDown: case cmd::kRepeat: case cmd::kStepBack:
    case cmd::kStepForward: case cmd::kSequences: case cmd::kFramesSlider:
        return true;
    default:
        return false;
    }
}

bool IsCommandEnabled(int id, const AnimationSnapshot& s)
{
    if (!IsAnimationCommand(id) || !s.hasAnimation)
        return false;
    switch (id) {
    case cmd::kSpeedUp: return CanSpeedUp(s.speed);
    case cmd::kSlowDown: return CanSlowDown(s.speed);
    case cmd::kRepeat: return false;
    default: return true;
    }
}

bool IsCommandChecked(int id, const AnimationSnapshot& s)
{
    if (!s.hasAnimation)
        return false;
    switch (id) {
    case cmd::kPlay: return IsRunning(s);
    case cmd::kPause: return s.playing && s.paused;
    default: return false;
    }
}

int PreviousLoop(const AnimationSnapshot& s)
{
    if (s.loopCount <= 0)
        return -1;
    const int previous = s.currentLoop - 1;
    return previous < 0 || previous >= s.loopCount ? s.loopCount - 1 : previous;
}

int NextLoop(const AnimationSnapshot& s)
{
    if (s.loopCount <= 0)
        return -1;
    const int next = s.currentLoop + 1;
    return next >= s.loopCount || next < 0 ? 0 : next;
}

AnimationOp StepOp(const AnimationSnapshot& s, float frames)
{
    if (!s.hasAnimation || !s.playing)
        return {};
    AnimationOp op{AnimationOp::kSetTime};
    op.time = std::trunc(s.currentTime + frames);
    return op;
}

CommandOutcome DecideCommand(int id, const AnimationSnapshot& s)
{
    CommandOutcome out;
    if (!IsCommandEnabled(id, s) || id == cmd::kSequences || id == cmd::kFramesSlider)
        return out;
    out.redraw = true;
    switch (id) {
    case cmd::kPlay:
        out.op = Op(AnimationOp::kPlay);
        out.op.time = kPlayFromLoopStart;
        break;
    case cmd::kStop:
        out.op = Op(AnimationOp::kStop);
        out.refreshPanes = true;
        break;
    case cmd::kPause: out.op = Op(AnimationOp::kPause); break;
    case cmd::kLoopBack:
        out.op = LoopOp(PreviousLoop(s));
        out.refreshLoopControls = true;
        break;
    case cmd::kLoopNext:
        out.op = LoopOp(NextLoop(s));
        out.refreshLoopControls = true;
        break;
    // The speed pane shows the new speed at once rather than at the next frame-rate notice.
    case cmd::kSpeedUp:
        out.speed = SpeedUp(s.speed);
        out.refreshPanes = true;
        break;
    case cmd::kSlowDown:
        out.speed = SlowDown(s.speed);
        out.refreshPanes = true;
        break;
    case cmd::kStepBack: out.op = StepOp(s, -kOneFrame); break;
    case cmd::kStepForward: out.op = StepOp(s, kOneFrame); break;
    default: break;
    }
    return out;
}

CommandOutcome RunCommand(int id, const AnimationSnapshot& s, AnimationTarget& target)
{
    const CommandOutcome out = DecideCommand(id, s);
    Apply(out.op, target);
    return out;
}

} // namespace kestrel::anim
