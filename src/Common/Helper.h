#pragma once

#include "Common/MyLog.h"
#include "Common/NumberText.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace Quarnel::Common
{

// Text conversions and the standard way to raise an error so that it also lands in the log.
class Helper final
{
public:
    Helper() = delete;

    // The number conversions live in NumberText; these names stay for the many callers that use them.
    [[nodiscard]] static std::string FloatToString(float value) { return NumberText::FloatToString(value); }
    [[nodiscard]] static std::string IntToString(std::int32_t value) { return NumberText::IntToString(value); }
    [[nodiscard]] static std::int64_t ToInt(std::string_view text) { return NumberText::ToInt(text); }
    [[nodiscard]] static float ToFloat(std::string_view text) { return NumberText::ToFloat(text); }
    [[nodiscard]] static std::optional<std::int64_t> ParseInteger(std::string_view text)
    {
        return NumberText::ParseInteger(text);
    }
    [[nodiscard]] static std::optional<float> ParseFloat(std::string_view text) { return NumberText::ParseFloat(text); }

    // Logs "toStringz: " + text and returns the text ending in one zero character (unchanged when it
    // already ends in one), for handing to the platform libraries through data().
    [[nodiscard]] static std::string ToStringz(std::string_view text);
    // The text up to the first zero character; a null pointer gives the empty text.
    [[nodiscard]] static std::string FromStringz(const char* chars);

    // Raises std::invalid_argument(name + " is null") through Throw.
    [[noreturn]] static void CheckNull(std::string_view name);

    // Raises name + " is null" when the pointer (raw or smart) is null; otherwise gives it back.
    template <typename Pointer>
    static const Pointer& CheckNull(const Pointer& pointer, std::string_view name)
    {
        if (pointer == nullptr)
            CheckNull(name);
        return pointer;
    }

    // Writes the message as a warning line, then raises std::runtime_error carrying it.
    [[noreturn]] static void Throw(const std::string& message);

    // The same with a chosen exception type, e.g. Throw<std::invalid_argument>(...).
    template <typename Error>
    [[noreturn]] static void Throw(const std::string& message)
    {
        Error error(message);
        MyLog::LogException(error);
        throw error;
    }

    // The text of whatever a callee threw: the message of a std::exception, else "unknown exception".
    [[nodiscard]] static std::string MessageOf(const std::exception_ptr& error);

    // Runs an operation that wraps a larger step: whatever it throws is written as the information line
    // `operationLine` ("Fehler in SetScene") and raised again as std::runtime_error carrying the caught message.
    template <typename Operation>
    static decltype(auto) Rethrowing(std::string_view operationLine, Operation operation)
    {
        try
        {
            return operation();
        }
        catch (...)
        {
            const std::string message = MessageOf(std::current_exception());
            MyLog::Info(operationLine);
            throw std::runtime_error(message);
        }
    }

    static void Info(std::string_view text) { MyLog::Info(text); }
    static void Warning(std::string_view text) { MyLog::Warning(text); }
    static void LogException(const std::exception& error) { MyLog::LogException(error); }
};

} // namespace Quarnel::Common
