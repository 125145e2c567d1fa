#pragma once

class CModel;

// Moving a model's animation time, kept apart from drawing so that any picture (the window,
// the command line's frames, captures) can be drawn at a chosen time without moving it.
namespace kestrel::scene {

// One time step of a playing animation: the wall time since the last step, times the speed.
// The view calls it once per displayed frame, before drawing.
void AdvanceAnimation(CModel& model, float speed);

} // namespace kestrel::scene
