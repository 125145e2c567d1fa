#pragma once
#include <cstdint>
#include "nimbus/export.h"

// Wall-clock stopwatch. Tests may switch every timer in the process to a manual
// clock so that animation time moves without sleeping.
class NIMBUS_API CTimer {
public:
    CTimer();

    // Seconds since construction.
    float GetTime();

    // Test seam: while enabled, all timers read a clock that only AdvanceManualClock moves.
    static void SetManualClock(bool enabled);
    static void AdvanceManualClock(double seconds);
    static bool IsManualClock();

    int64_t mFrequency;
    float mSecondsPerTick;
    bool mHighResolution;
    uint32_t mStartTime;
    uint32_t mLastTime;
    int64_t mStartCount;
    int64_t mLastCount;
};
