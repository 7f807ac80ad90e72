#pragma once

#include "Common/MyLog.h"

#include <string>
#include <vector>

namespace Quarnel::Common::Tests
{

// Collects every log line while alive and switches the information lines on; restores both afterwards.
class LogCapture
{
public:
    explicit LogCapture(bool showLog = true) : previousShowLog(MyLog::IsShowLog())
    {
        MyLog::SetShowLog(showLog);
        previousSink = MyLog::SetSink([this](MyLog::Level, const std::string& line) { lines.push_back(line); });
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;
    ~LogCapture()
    {
        MyLog::SetSink(previousSink);
        MyLog::SetShowLog(previousShowLog);
    }

    // The text of each line, after the "| " that ends the time stamp and level.
    [[nodiscard]] std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const std::string& line : lines)
            texts.push_back(line.substr(line.find("| ") + 2));
        return texts;
    }

    std::vector<std::string> lines;

private:
    bool previousShowLog;
    MyLog::Sink previousSink;
};

} // namespace Quarnel::Common::Tests
