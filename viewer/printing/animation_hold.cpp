#include "animation_hold.h"

#include "nimbus/model.h"

namespace kestrel::printing {

AnimationHold::AnimationHold(CModel& model) : model_(model), paused_(model.AniIsPlaying() && !model.AniIsPaused())
{
    if (paused_)
        model_.AniPause();
}

AnimationHold::~AnimationHold()
{
    // Playing a paused animation resumes it where it stopped.
    if (paused_ && model_.AniIsPlaying() && model_.AniIsPaused())
        model_.AniPlay(model_.AniGetCurrentTime());
}

} // namespace kestrel::printing
