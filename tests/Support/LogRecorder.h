#pragma once

#include "Common/MyLog.h"

#include <string>
#include <string_view>
#include <vector>

namespace Quarnel::TestSupport
{

// Records every log line written while it lives, instead of the console, with the information lines switched
// on (or off, as asked). Restores the previous sink and switch when it goes out of scope.
class LogRecorder
{
public:
    explicit LogRecorder(bool showLog = true);
    LogRecorder(const LogRecorder&) = delete;
    LogRecorder& operator=(const LogRecorder&) = delete;
    ~LogRecorder();

    // The whole recorded lines (prefix, time stamp, level and text, without CR LF), in the order written.
    [[nodiscard]] std::vector<std::string> Lines() const;
    // The texts of the recorded lines, without time stamp and level prefix, in the order written.
    [[nodiscard]] std::vector<std::string> Texts() const;
    // The texts of the warning lines only.
    [[nodiscard]] std::vector<std::string> Warnings() const;
    // Whether some recorded line's text is exactly `text`.
    [[nodiscard]] bool Has(std::string_view text) const;
    // Index of the first line whose text is exactly `text`, or -1.
    [[nodiscard]] int IndexOf(std::string_view text) const;

private:
    struct Line
    {
        Common::MyLog::Level level;
        std::string whole;
        std::string text;
    };

    std::vector<Line> lines;
    Common::MyLog::Sink previousSink;
    bool previousShowLog;
};

} // namespace Quarnel::TestSupport
