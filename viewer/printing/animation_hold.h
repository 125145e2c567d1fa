#pragma once

class CModel;

namespace kestrel::printing {

// Pauses a playing animation for as long as it lives and resumes it afterwards; an animation
// already paused or stopped is left as it is.
class AnimationHold {
public:
    explicit AnimationHold(CModel& model);
    ~AnimationHold();
    AnimationHold(const AnimationHold&) = delete;
    AnimationHold& operator=(const AnimationHold&) = delete;

    bool PausedIt() const { return paused_; }

private:
    CModel& model_;
    bool paused_ = false;
};

} // namespace kestrel::printing
