#include "animation_target.h"

namespace kestrel::anim {

void Apply(const AnimationOp& op, AnimationTarget& target)
{
    switch (op.kind) {
    case AnimationOp::kNone: break;
    case AnimationOp::kPlay: target.Play(op.time); break;
    case AnimationOp::kStop: target.Stop(); break;
    case AnimationOp::kPause: target.Pause(); break;
    case AnimationOp::kSetLoop: target.SetLoop(op.loop); break;
    case AnimationOp::kSetTime: target.SetTime(op.time); break;
    }
}

} // namespace kestrel::anim
