#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Quarnel::Common
{

// Numbers as text and text as numbers: the fixed five-decimal form the program shows, the lenient readings of
// settings values, and the strict whole-text readings of number fields.
class NumberText final
{
public:
    NumberText() = delete;

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
};

} // namespace Quarnel::Common
