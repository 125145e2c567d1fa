#pragma once

#include "animation_snapshot.h"
#include "animation_target.h"

// The frames seek bar: its range for the current loop, moving it, and pausing the animation
// while the user holds it.
namespace kestrel::anim {

struct SeekRange {
    int pageSize = 0;
    int limit = 0; // positions run from 0 to the limit
    bool operator==(const SeekRange&) const = default;
};

// Page size: the loop's frame count / 20, rounded to the nearest whole number, or 2 when that
// is 0; limit: (end - start) + page size, truncated, never below 0. The position goes back to
// 0 with every new range. Without animation the range is empty.
SeekRange SeekBarRange(const AnimationSnapshot& s);

int ClampSeekPosition(int position, const SeekRange& range);

// Moving the bar to a position (already clamped) sets the time to start + position.
AnimationOp SeekOp(const AnimationSnapshot& s, int position);

// The position that shows the current frame, for the bar to follow a playing animation;
// skip it while the user holds the bar.
int SeekPositionForTime(const AnimationSnapshot& s, const SeekRange& range);

// Pressing the bar pauses a running animation; releasing it resumes only an animation that
// the press paused and that is still paused.
class SeekHold {
public:
    AnimationOp Press(const AnimationSnapshot& s);
    AnimationOp Release(const AnimationSnapshot& s);
    bool Held() const { return held_; }
    // A new document or loop forgets the pause.
    void Forget() { pausedByPress_ = false; }

private:
    bool held_ = false;
    bool pausedByPress_ = false;
};

} // namespace kestrel::anim
