#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "nimbus/logger.h"
#include "nimbus/timer.h"
#include "temp_dir.h"

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Logger, WritesPrefixedLinesAndSkipsUnknownLevels)
{
    kestrel::test::TempDir dir;
    const std::string file = dir.File("log.txt");
    CLogger log(file.c_str());
    log.Out(SK_LOG_ERROR, "bad file %s", "a.ms3d");
    log.Out(3, "not a level");
    log.Out(SK_LOG_INFO, "%s", "");
    const char* empty = "";
    log.Out(SK_LOG_WARNING, empty);
    log.Out(SK_LOG_FATAL, "done");
    log.DbgOut(SK_LOG_INFO, "debug output is dropped");
    EXPECT_EQ(ReadAll(file), "[Error] - bad file a.ms3d\n[Info] - \n[Fatal] - done\n");
    log.Clear();
    EXPECT_EQ(ReadAll(file), "");
}

TEST(Logger, DefaultNamesAndLongMessages)
{
    kestrel::test::TempDir dir;
    kestrel::test::CurrentDirScope here(dir.Path());
    CLogger a(nullptr), b("");
    EXPECT_STREQ(a.GetFile(), "session.log");
    EXPECT_STREQ(b.GetFile(), "session.log");
    b.SetFile("");
    EXPECT_STREQ(b.GetFile(), "session.log");

    const std::string longText(5000, 'x');
    a.Out(SK_LOG_INFO, "%s", longText.c_str());
    const std::string line = ReadAll(dir.File("session.log"));
    EXPECT_EQ(line, "[Info] - " + std::string(CLogger::kMessageSize - 1, 'x') + "\n");
}

TEST(Logger, UnwritableFileIsSkippedSilently)
{
    CLogger log("/nonexistent-folder/for/kestrel.log");
    log.Out(SK_LOG_INFO, "nothing happens");
    log.Clear();
    SUCCEED();
}

TEST(Timer, ManualClockMovesOnlyWhenAdvanced)
{
    CTimer::SetManualClock(true);
    CTimer timer;
    EXPECT_EQ(timer.GetTime(), 0.0f);
    CTimer::AdvanceManualClock(1.5);
    EXPECT_FLOAT_EQ(timer.GetTime(), 1.5f);
    CTimer later; // counts from its own construction
    CTimer::AdvanceManualClock(0.25);
    EXPECT_FLOAT_EQ(later.GetTime(), 0.25f);
    EXPECT_FLOAT_EQ(timer.GetTime(), 1.75f);
    CTimer::SetManualClock(false);

    CTimer real;
    const float t0 = real.GetTime();
    EXPECT_GE(t0, 0.0f);
    EXPECT_GE(real.GetTime(), t0);
}

} // namespace
