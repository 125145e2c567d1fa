#pragma once
// Reporting job steps to the progress sink. Pumping the user interface after every
// one of a million steps would cost more than the job, so a step is passed on only
// when its whole percentage differs from the last one reported (every step of a job
// of 100 steps or fewer, and the last step always).

#include <cstdint>

#include "plugframe/job_progress.h"

namespace kestrel::toolkit {

class CStepReporter {
public:
    // Percent = done * 100 / total / divisor + offset, as the two-phase jobs count.
    CStepReporter(CJobProgress& progress, int64_t total, int divisor = 1, int offset = 0)
        : progress_(progress), total_(total), divisor_(divisor), offset_(offset)
    {
    }

    void Step(int64_t done)
    {
        const int percent = total_ > 0 ? int(done * 100 / total_ / divisor_) + offset_ : offset_;
        if (percent == last_ && done != total_)
            return;
        last_ = percent;
        progress_.SetPercent(percent);
        progress_.PumpOnce();
    }

private:
    CJobProgress& progress_;
    int64_t total_;
    int divisor_;
    int offset_;
    int last_ = -1;
};

} // namespace kestrel::toolkit
