#pragma once

#include "document.h"

// What the animation controls and the status panes read: the model's playback state and the
// document's figures, copied once so that the rules need no engine model.
namespace kestrel::anim {

struct AnimationSnapshot {
    // The model statistics' animation flag; every animation command and pane depends on it.
    bool hasAnimation = false;
    int loopCount = 0;
    int currentLoop = 0;
    // Start and end frame of the current loop.
    float loopStart = 0.0f;
    float loopEnd = 0.0f;
    float currentTime = 0.0f; // frames
    // Playing stays set while paused.
    bool playing = false;
    bool paused = false;

    float speed = 1.0f;
    doc::ViewMode viewMode = doc::kEmpty;
    float imageZoom = 1.0f;
    float frameRate = 0.0f; // the last one the view published
};

// Frames in the current loop, both ends counted.
inline float LoopFrameCount(const AnimationSnapshot& s) { return (s.loopEnd - s.loopStart) + 1.0f; }

inline bool IsRunning(const AnimationSnapshot& s) { return s.playing && !s.paused; }

} // namespace kestrel::anim
