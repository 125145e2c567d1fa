#include "nimbus/timer.h"

#include <atomic>
#include <ctime>

namespace {
constexpr int64_t kNanosPerSecond = 1000000000;

std::atomic<bool> gManual{false};
std::atomic<int64_t> gManualNanos{0};

int64_t MonotonicNanos()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * kNanosPerSecond + ts.tv_nsec;
}

int64_t ReadCounter()
{
    return gManual.load(std::memory_order_relaxed) ? gManualNanos.load(std::memory_order_relaxed)
                                                   : MonotonicNanos();
}
} // namespace

// The monotonic clock always exists here, so the millisecond fallback is never taken.
CTimer::CTimer()
    : mFrequency(kNanosPerSecond),
      mSecondsPerTick(1.0f / float(kNanosPerSecond)),
      mHighResolution(true),
      mStartTime(0),
      mLastTime(0),
      mStartCount(ReadCounter()),
      mLastCount(mStartCount)
{
}

float CTimer::GetTime()
{
    if (mHighResolution) {
        mLastCount = ReadCounter();
        return float(double(mLastCount - mStartCount) / double(mFrequency));
    }
    mLastTime = uint32_t(ReadCounter() / 1000000);
    return float(uint32_t(mLastTime - mStartTime)) * 0.001f;
}

void CTimer::SetManualClock(bool enabled)
{
    if (enabled && !gManual.load())
        gManualNanos.store(MonotonicNanos());
    gManual.store(enabled);
}

void CTimer::AdvanceManualClock(double seconds)
{
    gManualNanos.fetch_add(int64_t(seconds * double(kNanosPerSecond)));
}

bool CTimer::IsManualClock() { return gManual.load(); }
