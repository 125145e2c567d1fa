#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "importkit/side_by_side.h"

namespace {

using kestrel::importkit::SideBySide;

TEST(SideBySide, BothPiecesRunWithOrWithoutASecondThread)
{
    for (const bool parallel : {false, true}) {
        std::thread::id here, there;
        SideBySide(
            parallel, [&] { here = std::this_thread::get_id(); }, [&] { there = std::this_thread::get_id(); });
        EXPECT_EQ(here, std::this_thread::get_id());
        EXPECT_EQ(there != here, parallel);
    }
}

// A failure in either piece reaches the caller only once the other piece has ended, so that
// nothing it uses is gone while it still runs.
TEST(SideBySide, AFailureIsPassedOnAfterBothEnded)
{
    for (const bool failHere : {false, true}) {
        std::atomic<bool> otherEnded{false};
        const auto fail = [] { throw std::runtime_error("no memory"); };
        const auto slow = [&otherEnded] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            otherEnded = true;
        };
        if (failHere)
            EXPECT_THROW(SideBySide(true, fail, slow), std::runtime_error);
        else
            EXPECT_THROW(SideBySide(true, slow, fail), std::runtime_error);
        EXPECT_TRUE(otherEnded);
    }
}

} // namespace
