#pragma once
// Jobs and a warning recorder for the dialog tests.

#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>
#include <string>

#include "plugframe/frame_ui.h"
#include "plugframe/job_progress.h"

namespace kestrel::test {

// Runs `total` steps, each setting the status "Step n" and the percentage; calls
// `onStep` after each and stops early when the cancel flag is set.
class StepJob : public CProgressJob {
public:
    explicit StepJob(int total, std::function<void(int step)> onStep = {}) : total_(total), onStep_(std::move(onStep)) {}
    std::string InitialStatus() const override { return "Recalculating normals..."; }
    bool Run(CJobProgress& progress) override
    {
        ran = true;
        for (int step = 1; step <= total_; ++step) {
            if (progress.Cancelled())
                break;
            progress.SetStatus("Step " + std::to_string(step));
            ++stepsRun;
            progress.Step(step, total_);
            if (onStep_)
                onStep_(step);
        }
        if (throwAtEnd)
            throw std::runtime_error("job failure");
        return succeed;
    }
    bool ran = false;
    int stepsRun = 0;
    bool succeed = true;
    bool throwAtEnd = false;

private:
    int total_;
    std::function<void(int)> onStep_;
};

// Records warnings instead of showing message boxes while it lives.
class WarningRecorder {
public:
    WarningRecorder()
    {
        SetWarningHandler([this](QWidget*, const QString& text) { warnings << text; });
    }
    ~WarningRecorder() { SetWarningHandler({}); }
    QStringList warnings;
};

} // namespace kestrel::test
