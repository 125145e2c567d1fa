#include "nimbus/scene_draw.h"
#include "nimbus/timer.h"

// One process-wide measurement: it follows a single caller's frame rate.
float skfGetFPS()
{
    static CTimer clock;
    static unsigned frames = 0;
    static float lastMeasurement = 0;
    static float fps = 0;
    ++frames;
    const float now = clock.GetTime();
    if (now - lastMeasurement > 1.0f) {
        fps = float(frames);
        frames = 0;
        lastMeasurement = now;
    }
    return fps;
}
