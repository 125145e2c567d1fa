#pragma once
#include <optional>

#include "animation_snapshot.h"
#include "animation_target.h"

// The animation commands of the document: when each is enabled and checked, and what it does.
// The sequences combo and the seek bar share the enable rule; their own models act for them.
namespace kestrel::anim {

// Play, Stop, Pause, Back, Next, Speed Up, Slow Down, Repeat Animation, Step Back, Step
// Forward, the sequences combo and the frames seek bar.
bool IsAnimationCommand(int id);

// Every animation command needs a model with animation; the speed commands also need room
// to move, and Repeat Animation, having no action, is never enabled.
bool IsCommandEnabled(int id, const AnimationSnapshot& s);
// Play while running, Pause while paused.
bool IsCommandChecked(int id, const AnimationSnapshot& s);

// What a command leads to besides its engine call.
struct CommandOutcome {
    AnimationOp op;
    std::optional<float> speed; // the document's new animation speed
    bool redraw = false;
    bool refreshPanes = false;
    bool refreshLoopControls = false; // the sequences combo and the seek bar
};

// Decides a command without running it; a disabled command, or an id that is not one of
// these buttons, leads to nothing.
CommandOutcome DecideCommand(int id, const AnimationSnapshot& s);
// Decides and makes the engine call; the caller does the rest of the outcome.
CommandOutcome RunCommand(int id, const AnimationSnapshot& s, AnimationTarget& target);

// The loop before and after the current one, wrapping at both ends; -1 without loops.
int PreviousLoop(const AnimationSnapshot& s);
int NextLoop(const AnimationSnapshot& s);
// One frame back or forward while playing (paused counts), truncated toward zero.
AnimationOp StepOp(const AnimationSnapshot& s, float frames);

} // namespace kestrel::anim
