#pragma once
// A plug-in's job function wrapped for the progress dialog.

#include <functional>
#include <string>

#include "plugframe/job_progress.h"

namespace kestrel::toolkit {

class CToolJob : public CProgressJob {
public:
    // run returns false when the job failed (it has then shown its own message).
    CToolJob(std::string initialStatus, std::function<bool(CJobProgress&)> run)
        : initialStatus_(std::move(initialStatus)), run_(std::move(run))
    {
    }
    std::string InitialStatus() const override { return initialStatus_; }
    bool Run(CJobProgress& progress) override;

private:
    std::string initialStatus_;
    std::function<bool(CJobProgress&)> run_;
};

} // namespace kestrel::toolkit
