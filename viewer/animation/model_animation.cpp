#include "model_animation.h"

#include "nimbus/model.h"

namespace kestrel::anim {

AnimationSnapshot ReadAnimationSnapshot(const CModel& model, bool hasAnimation)
{
    AnimationSnapshot s;
    s.hasAnimation = hasAnimation;
    s.loopCount = model.AniGetLoopCount();
    s.currentLoop = model.AniGetCurrentLoop();
    // An index without a loop reads as an empty loop at frame 0.
    const SK_ANILOOP_STATS loop = model.GetLoopStats(s.currentLoop);
    s.loopStart = loop.start;
    s.loopEnd = loop.end;
    s.currentTime = model.AniGetCurrentTime();
    s.playing = model.AniIsPlaying();
    s.paused = model.AniIsPaused();
    return s;
}

AnimationSnapshot ReadAnimationSnapshot(const doc::Document& document, const DocumentFigures& figures)
{
    AnimationSnapshot s = ReadAnimationSnapshot(document.model, document.stats.animated);
    s.viewMode = document.viewMode;
    s.speed = figures.speed;
    s.imageZoom = figures.imageZoom;
    s.frameRate = figures.frameRate;
    return s;
}

std::vector<std::string> ReadLoopNames(const CModel& model)
{
    std::vector<std::string> names;
    const int count = model.AniGetLoopCount();
    names.reserve(size_t(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) {
        const char* name = model.AniGetLoopName(i);
        names.emplace_back(name ? name : "");
    }
    return names;
}

void ModelTarget::Play(float startTime) { model_.AniPlay(startTime); }
void ModelTarget::Stop() { model_.AniStop(); }
void ModelTarget::Pause() { model_.AniPause(); }

void ModelTarget::SetLoop(int index)
{
    // A negative index would wrap to a huge unsigned one; the engine ignores it either way,
    // but only a real loop is worth the call.
    if (index >= 0)
        model_.AniSetLoop(unsigned(index), true);
}

void ModelTarget::SetTime(float time) { model_.AniSetTime(time); }

} // namespace kestrel::anim
