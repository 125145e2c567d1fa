#pragma once

// The engine calls the animation controls make, behind an interface so that the rules can be
// checked against a recording fake; ModelTarget forwards them to a CModel.
namespace kestrel::anim {

class AnimationTarget {
public:
    virtual ~AnimationTarget() = default;
    virtual void Play(float startTime) = 0;
    virtual void Stop() = 0;
    virtual void Pause() = 0;
    // Switches at once, not at the end of the current loop.
    virtual void SetLoop(int index) = 0;
    virtual void SetTime(float time) = 0;
};

// One engine call decided by a rule; kNone when the rule does nothing.
struct AnimationOp {
    enum Kind { kNone, kPlay, kStop, kPause, kSetLoop, kSetTime };
    Kind kind = kNone;
    float time = 0.0f; // kPlay: start time (0: the loop's start), kSetTime: the new time
    int loop = 0;      // kSetLoop

    bool operator==(const AnimationOp&) const = default;
};

void Apply(const AnimationOp& op, AnimationTarget& target);

} // namespace kestrel::anim
