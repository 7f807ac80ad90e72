#pragma once

#include <chrono>
#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace Quarnel::Common
{

// The program's log on the console's standard error stream. Information lines appear only after
// SetShowLog(true); warnings always appear. Every line has the form
//   "Info  Info - 9:5:3.42 Info| text"  or  "Warn  Warning - 9:5:3.42 Warning| text"
// (UTC time of day, numbers without padding) followed by CR LF, and is written whole and flushed.
class MyLog final
{
public:
    enum class Level
    {
        Info,
        Warning
    };

    // Receives each finished line without its CR LF. Installed by tests to capture the log.
    using Sink = std::function<void(Level level, const std::string& line)>;

    MyLog() = delete;

    static void Info(std::string_view text);
    static void Warning(std::string_view text);
    // Writes the error's message through Warning.
    static void LogException(const std::exception& error);
    static void SetShowLog(bool show);
    [[nodiscard]] static bool IsShowLog();

    // The whole line for a given moment, without CR LF; public so that its form can be checked.
    [[nodiscard]] static std::string FormatLine(Level level, std::chrono::system_clock::time_point time,
                                                std::string_view text);

    // Test hook: while a sink is installed, lines go to it instead of standard error (the showLog switch
    // still applies). Pass an empty Sink to write to standard error again. Returns the previous sink.
    // The sink is called under the log's lock and must not log itself.
    static Sink SetSink(Sink sink);

private:
    static void Write(Level level, std::string_view text);
};

} // namespace Quarnel::Common
