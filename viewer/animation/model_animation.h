#pragma once
#include <string>
#include <vector>

#include "animation_snapshot.h"
#include "animation_target.h"
#include "document.h"

class CModel;

// The engine side of the animation controls: reading a CModel's playback state and sending
// the controls' calls to it.
namespace kestrel::anim {

// The document's figures that live outside the engine model.
struct DocumentFigures {
    float speed = 1.0f;
    float imageZoom = 1.0f;
    float frameRate = 0.0f;
};

// The model's part of the snapshot; the document's figures keep their defaults.
AnimationSnapshot ReadAnimationSnapshot(const CModel& model, bool hasAnimation);
// The whole snapshot of a document: its model, statistics and view mode, and the figures.
AnimationSnapshot ReadAnimationSnapshot(const doc::Document& document, const DocumentFigures& figures);

// The loop names in order; a loop without a name gives an empty text.
std::vector<std::string> ReadLoopNames(const CModel& model);

class ModelTarget : public AnimationTarget {
public:
    explicit ModelTarget(CModel& model) : model_(model) {}
    void Play(float startTime) override;
    void Stop() override;
    void Pause() override;
    void SetLoop(int index) override;
    void SetTime(float time) override;

private:
    CModel& model_;
};

} // namespace kestrel::anim
