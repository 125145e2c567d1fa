#include "plugframe/job_progress.h"

void CJobProgress::Step(int64_t done, int64_t total)
{
    percent_ = total > 0 ? int(done * 100 / total) : 0;
    PumpOnce();
}

void CJobProgress::PumpOnce()
{
    if (pump_)
        pump_();
}

bool RunJobWithoutWindow(CProgressJob& job, CJobProgress& progress)
{
    progress.SetStatus(job.InitialStatus());
    const bool finished = job.Run(progress);
    return finished && !progress.Cancelled();
}
