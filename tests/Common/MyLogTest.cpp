#include "Common/MyLog.h"

#include "Support/LogRecorder.h"

#include <chrono>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace Quarnel::Common
{
namespace
{

using LogCapture = TestSupport::LogRecorder;
using namespace std::chrono;

system_clock::time_point AtUtc(int hour, int minute, int second, int millisecond)
{
    // Some day well after the epoch; only the time of day shows in the line.
    return sys_days{year{2026} / 12 / 7} + hours{hour} + minutes{minute} + seconds{second} + milliseconds{millisecond};
}

TEST(MyLogFormat, NumbersAreUnpaddedAfterThePaddedLevelPrefix)
{
    EXPECT_EQ(MyLog::FormatLine(MyLog::Level::Info, AtUtc(9, 5, 3, 42), "New Data: a = 1"),
              "Info  Info - 9:5:3.42 Info| New Data: a = 1");
    EXPECT_EQ(MyLog::FormatLine(MyLog::Level::Warning, AtUtc(9, 5, 3, 42), "x"), "Warn  Warning - 9:5:3.42 Warning| x");
    EXPECT_EQ(MyLog::FormatLine(MyLog::Level::Info, AtUtc(0, 0, 7, 5), "t"), "Info  Info - 0:0:7.5 Info| t");
    EXPECT_EQ(MyLog::FormatLine(MyLog::Level::Info, AtUtc(23, 59, 59, 999), "t"), "Info  Info - 23:59:59.999 Info| t");
}

// The real console path: what reaches standard error, byte for byte apart from the time.
class MyLogConsole : public ::testing::Test
{
protected:
    void SetUp() override { previousShowLog = MyLog::IsShowLog(); }
    void TearDown() override { MyLog::SetShowLog(previousShowLog); }

    bool previousShowLog = false;
};

TEST_F(MyLogConsole, WarningLineEndsWithCarriageReturnLineFeed)
{
    MyLog::SetShowLog(false);
    ::testing::internal::CaptureStderr();
    MyLog::Warning("Fehler in Scene.Update");
    const std::string written = ::testing::internal::GetCapturedStderr();
    EXPECT_THAT(written, ::testing::MatchesRegex(
                             "Warn  Warning - [0-9]+:[0-9]+:[0-9]+\\.[0-9]+ Warning\\| Fehler in Scene\\.Update\r\n"));
}

TEST_F(MyLogConsole, InfoIsWrittenOnlyWhileShowLogIsOn)
{
    MyLog::SetShowLog(false);
    ::testing::internal::CaptureStderr();
    MyLog::Info("hidden");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    MyLog::SetShowLog(true);
    ::testing::internal::CaptureStderr();
    MyLog::Info("shown");
    EXPECT_THAT(::testing::internal::GetCapturedStderr(),
                ::testing::MatchesRegex("Info  Info - [0-9:.]+ Info\\| shown\r\n"));
}

TEST(MyLogSink, CapturesLinesInsteadOfStandardErrorAndRestores)
{
    ::testing::internal::CaptureStderr();
    {
        LogCapture log;
        MyLog::Info("one");
        MyLog::LogException(std::runtime_error("two"));
        EXPECT_THAT(log.Texts(), ::testing::ElementsAre("one", "two"));
        EXPECT_THAT(log.Lines()[1], ::testing::StartsWith("Warn  Warning - "));
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

} // namespace
} // namespace Quarnel::Common
