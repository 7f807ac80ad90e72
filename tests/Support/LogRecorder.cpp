#include "Support/LogRecorder.h"

#include <utility>

namespace Quarnel::TestSupport
{

namespace
{

// A formatted line is "<prefix> - <time> <level>| <text>"; the text follows the first "| ".
std::string TextOf(const std::string& line)
{
    const auto separator = line.find("| ");
    std::string text = separator == std::string::npos ? line : line.substr(separator + 2);
    // The console line ends with CR LF, which is not part of the text.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

} // namespace

LogRecorder::LogRecorder(bool showLog) : previousShowLog(Common::MyLog::IsShowLog())
{
    previousSink = Common::MyLog::SetSink([this](Common::MyLog::Level level, const std::string& line) {
        lines.push_back({level, line, TextOf(line)});
    });
    Common::MyLog::SetShowLog(showLog);
}

LogRecorder::~LogRecorder()
{
    Common::MyLog::SetSink(std::move(previousSink));
    Common::MyLog::SetShowLog(previousShowLog);
}

std::vector<std::string> LogRecorder::Lines() const
{
    std::vector<std::string> whole;
    for (const Line& line : lines)
        whole.push_back(line.whole);
    return whole;
}

std::vector<std::string> LogRecorder::Texts() const
{
    std::vector<std::string> texts;
    for (const Line& line : lines)
        texts.push_back(line.text);
    return texts;
}

std::vector<std::string> LogRecorder::Warnings() const
{
    std::vector<std::string> texts;
    for (const Line& line : lines)
        if (line.level == Common::MyLog::Level::Warning)
            texts.push_back(line.text);
    return texts;
}

bool LogRecorder::Has(std::string_view text) const
{
    return IndexOf(text) >= 0;
}

int LogRecorder::IndexOf(std::string_view text) const
{
    for (std::size_t index = 0; index < lines.size(); ++index)
        if (lines[index].text == text)
            return static_cast<int>(index);
    return -1;
}

} // namespace Quarnel::TestSupport
