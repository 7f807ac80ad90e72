#pragma once

#include "Common/MyLog.h"

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

    // Exactly five decimals: 1.5 → "1.50000", 0.123456 → "0.12346", 0.0123456 → "0.01234",
    // 1.5e12 → "1.50000e+12"; "nan", "-nan", "inf", "-inf"; a set sign bit always shows ("-0.00000").
    [[nodiscard]] static std::string FloatToString(float value);
    [[nodiscard]] static std::string IntToString(std::int32_t value);

    // Lenient integer reading that never fails: leading blanks, tabs and signs (the last sign counts),
    // an optional base prefix 0x, 0b or 0o, then digits of that base up to the first other character.
    // Accumulates modulo 2^64; "", "true" and "off" read 0.
    [[nodiscard]] static std::int64_t ToInt(std::string_view text);
    // The same leniency for floats: a base prefix reads an integer in that base, otherwise decimal digits,
    // an optional fraction and an optional exponent. A text without digits reads 0. The number is rounded
    // once, to the nearest float: beyond the largest float it is infinity, below the smallest zero.
    [[nodiscard]] static float ToFloat(std::string_view text);

    // The strict readings of a number field: the whole text, apart from blanks, tabs and line ends around
    // it, must be one decimal number with at least one digit and at most one leading sign ("+" or "-"), or
    // there is no value ("12abc", "1 2", "+-1", "0x10", "inf" and "" have none). A number beyond the range
    // of the type gives the nearest limit, whatever its size.
    // Digits only: "042" gives 42, "99999999999999999999" the largest 64-bit integer.
    [[nodiscard]] static std::optional<std::int64_t> ParseInteger(std::string_view text);
    // Digits with an optional fraction and exponent ("1.5", ".5", "5.", "2e-3"), rounded once to the nearest
    // float: "1e39" and "1e400" both give the largest float, "1e-400" zero; "-0" keeps its sign.
    [[nodiscard]] static std::optional<float> ParseFloat(std::string_view text);

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
