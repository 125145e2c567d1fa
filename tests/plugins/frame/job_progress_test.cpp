// Jobs run without a window: percentages, one pump per step and the cancel flag.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "plugframe/job_progress.h"

namespace {

// Steps `total` times; records the percentage seen at each pump.
class CountingJob : public CProgressJob {
public:
    explicit CountingJob(int total) : total_(total) {}
    std::string InitialStatus() const override { return "Counting..."; }
    bool Run(CJobProgress& progress) override
    {
        for (int done = 1; done <= total_; ++done) {
            if (progress.Cancelled())
                return true;
            ++stepsRun;
            progress.Step(done, total_);
        }
        return true;
    }
    int stepsRun = 0;

private:
    int total_;
};

struct Recorder {
    CJobProgress progress{[this] { pumped.push_back(progress.Percent()); }};
    std::vector<int> pumped;
};

TEST(JobProgress, ShortJobAdvancesInWholeIntegerPercentages)
{
    Recorder recorder;
    CountingJob job(3);
    EXPECT_TRUE(RunJobWithoutWindow(job, recorder.progress));
    EXPECT_EQ(recorder.pumped, (std::vector<int>{33, 66, 100})) << "one pump per step, after the percentage";

    Recorder seven;
    CountingJob sevenSteps(7);
    RunJobWithoutWindow(sevenSteps, seven.progress);
    EXPECT_EQ(seven.pumped, (std::vector<int>{14, 28, 42, 57, 71, 85, 100}));
}

TEST(JobProgress, ThousandStepsReach100OnlyAtTheEnd)
{
    Recorder recorder;
    CountingJob job(1000);
    RunJobWithoutWindow(job, recorder.progress);
    ASSERT_EQ(recorder.pumped.size(), 1000u);
    EXPECT_EQ(recorder.pumped[998], 99);
    EXPECT_EQ(recorder.pumped.back(), 100);
    for (size_t i = 1; i < recorder.pumped.size(); ++i)
        ASSERT_GE(recorder.pumped[i], recorder.pumped[i - 1]);
}

TEST(JobProgress, EmptyTotalGivesZeroAndStatusStartsWithTheJobName)
{
    CJobProgress progress;
    progress.Step(0, 0);
    EXPECT_EQ(progress.Percent(), 0);
    CountingJob job(0);
    EXPECT_TRUE(RunJobWithoutWindow(job, progress));
    EXPECT_EQ(progress.Status(), "Counting...");
}

TEST(JobProgress, CancelDuringAStepStopsTheJobAndCountsAsNotFinished)
{
    CountingJob job(10);
    CJobProgress* self = nullptr;
    int pumps = 0;
    CJobProgress progress([&] {
        if (++pumps == 4)
            self->RequestCancel();
    });
    self = &progress;
    EXPECT_FALSE(RunJobWithoutWindow(job, progress));
    EXPECT_EQ(job.stepsRun, 4);
    EXPECT_TRUE(progress.Cancelled());
    EXPECT_EQ(progress.Percent(), 40);
}

} // namespace
