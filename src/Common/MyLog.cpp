#include "Common/MyLog.h"

#include <atomic>
#include <cstdio>
#include <fmt/format.h>
#include <mutex>

namespace Quarnel::Common
{

namespace
{

// Process-wide log state: the one switch read from the settings, and the lock that keeps lines whole.
std::atomic<bool> showLog{false};

std::mutex& LogMutex()
{
    static std::mutex mutex;
    return mutex;
}

MyLog::Sink& CurrentSink()
{
    static MyLog::Sink sink;
    return sink;
}

} // namespace

void MyLog::Info(std::string_view text)
{
    if (!showLog.load(std::memory_order_relaxed))
        return;
    Write(Level::Info, text);
}

void MyLog::Warning(std::string_view text)
{
    Write(Level::Warning, text);
}

void MyLog::LogException(const std::exception& error)
{
    Warning(error.what());
}

void MyLog::SetShowLog(bool show)
{
    showLog.store(show, std::memory_order_relaxed);
}

bool MyLog::IsShowLog()
{
    return showLog.load(std::memory_order_relaxed);
}

std::string MyLog::FormatLine(Level level, std::chrono::system_clock::time_point time, std::string_view text)
{
    using namespace std::chrono;
    // Time of day in UTC: the system clock counts UTC, so the part after midnight is the wall time there.
    const auto sinceMidnight = floor<milliseconds>(time - floor<days>(time));
    const auto count = sinceMidnight.count();
    const auto hours = count / 3'600'000;
    const auto minutes = count / 60'000 % 60;
    const auto seconds = count / 1000 % 60;
    const auto millis = count % 1000;
    // The console prefix is the level name padded to six, the logger's name and " - ".
    const bool warning = level == Level::Warning;
    return fmt::format("{}{} - {}:{}:{}.{} {}| {}", warning ? "Warn  " : "Info  ", warning ? "Warning" : "Info", hours,
                       minutes, seconds, millis, warning ? "Warning" : "Info", text);
}

MyLog::Sink MyLog::SetSink(Sink sink)
{
    const std::lock_guard lock(LogMutex());
    Sink previous = std::move(CurrentSink());
    CurrentSink() = std::move(sink);
    return previous;
}

void MyLog::Write(Level level, std::string_view text)
{
    const std::string line = FormatLine(level, std::chrono::system_clock::now(), text);
    const std::lock_guard lock(LogMutex());
    if (const Sink& sink = CurrentSink())
    {
        sink(level, line);
        return;
    }
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fwrite("\r\n", 1, 2, stderr);
    std::fflush(stderr);
}

} // namespace Quarnel::Common
