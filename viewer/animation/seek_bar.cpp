#include "seek_bar.h"

#include <algorithm>
#include <cmath>

namespace kestrel::anim {

namespace {
constexpr int kPagesPerLoop = 20;
constexpr int kMinPageSize = 2;

// Integer division rounded to the nearest whole number, halves away from zero.
int DivideRounded(int value, int divisor)
{
    const int half = divisor / 2;
    return value >= 0 ? (value + half) / divisor : -((-value + half) / divisor);
}

// A float frame figure as a whole number, truncated and kept within int.
int Truncated(float value)
{
    if (std::isnan(value))
        return 0;
    constexpr float kBound = 1.0e9f;
    return int(std::trunc(std::clamp(value, -kBound, kBound)));
}
} // namespace

SeekRange SeekBarRange(const AnimationSnapshot& s)
{
    SeekRange range;
    if (!s.hasAnimation)
        return range;
    range.pageSize = DivideRounded(Truncated(LoopFrameCount(s)), kPagesPerLoop);
    if (range.pageSize == 0)
        range.pageSize = kMinPageSize;
    range.limit = std::max(0, Truncated((s.loopEnd - s.loopStart) + float(range.pageSize)));
    return range;
}

int ClampSeekPosition(int position, const SeekRange& range) { return std::clamp(position, 0, range.limit); }

AnimationOp SeekOp(const AnimationSnapshot& s, int position)
{
    if (!s.hasAnimation)
        return {};
    AnimationOp op{AnimationOp::kSetTime};
    op.time = s.loopStart + float(position);
    return op;
}

int SeekPositionForTime(const AnimationSnapshot& s, const SeekRange& range)
{
    if (!s.hasAnimation || !s.playing)
        return 0;
    return ClampSeekPosition(Truncated(s.currentTime - s.loopStart), range);
}

AnimationOp SeekHold::Press(const AnimationSnapshot& s)
{
    held_ = true;
    pausedByPress_ = s.hasAnimation && IsRunning(s);
    return pausedByPress_ ? AnimationOp{AnimationOp::kPause} : AnimationOp{};
}

AnimationOp SeekHold::Release(const AnimationSnapshot& s)
{
    held_ = false;
    const bool resume = pausedByPress_ && s.hasAnimation && s.playing && s.paused;
    pausedByPress_ = false;
    // Play on a paused model resumes where it is; 0 is not used as a start time then.
    return resume ? AnimationOp{AnimationOp::kPlay} : AnimationOp{};
}

} // namespace kestrel::anim
