#pragma once
// A long job and the progress it reports, kept apart from any window so that hosts
// and tests can run jobs without one. The progress dialog shows Status and Percent
// on its timer ticks and sets the cancel flag from its Cancel button.

#include <cstdint>
#include <functional>
#include <string>

class CJobProgress {
public:
    // Called once per step to let the user interface handle what is pending
    // (repaint, timer ticks, the Cancel button). Empty: nothing to pump.
    using Pump = std::function<void()>;

    explicit CJobProgress(Pump pump = {}) : pump_(std::move(pump)) {}

    void SetStatus(std::string text) { status_ = std::move(text); }  // UTF-8
    const std::string& Status() const { return status_; }

    void SetPercent(int percent) { percent_ = percent; }
    int Percent() const { return percent_; }

    // After a step: percent = done * 100 / total (integer; 0 for an empty job), then
    // one pump.
    void Step(int64_t done, int64_t total);
    void PumpOnce();

    void RequestCancel() { cancelled_ = true; }
    bool Cancelled() const { return cancelled_; }

private:
    Pump pump_;
    std::string status_;
    int percent_ = 0;
    bool cancelled_ = false;
};

class CProgressJob {
public:
    virtual ~CProgressJob() = default;
    // The status label's first text, naming the job ("Exporting...").
    virtual std::string InitialStatus() const = 0;
    // Runs to the end, testing progress.Cancelled() between steps where it may stop
    // early. False when the job failed; a failed or cancelled job closes the
    // progress dialog as cancelled.
    virtual bool Run(CJobProgress& progress) = 0;
};

// Runs a job without a window: the progress is only recorded. True when it finished
// and was not cancelled.
bool RunJobWithoutWindow(CProgressJob& job, CJobProgress& progress);
