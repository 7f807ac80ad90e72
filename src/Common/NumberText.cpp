#include "Common/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace Quarnel::Common
{

namespace
{

// Enough fraction digits to hold the exact decimal expansion of any float (the smallest needs 149).
constexpr int ExactFractionDigits = 160;
constexpr std::ptrdiff_t FixedDecimals = 5;

// The exact decimal digits of a non-negative float, with the position of the decimal point.
struct DecimalDigits
{
    std::string digits;
    std::ptrdiff_t pointPosition = 0;
};

DecimalDigits ExactDigits(float magnitude)
{
    // A float widened to double is exact, and glibc prints the exact expansion when enough digits are asked.
    char buffer[256];
    const int length =
        std::snprintf(buffer, sizeof buffer, "%.*f", ExactFractionDigits, static_cast<double>(magnitude));
    DecimalDigits result;
    const std::string_view text(buffer, static_cast<std::size_t>(length));
    const std::size_t point = text.find('.');
    result.digits.reserve(text.size());
    result.digits.append(text.substr(0, point));
    result.digits.append(text.substr(point + 1));
    result.pointPosition = static_cast<std::ptrdiff_t>(point);
    return result;
}

// Adds 5 at the given digit, exactly, carrying to the left.
void AddFiveAt(DecimalDigits& number, std::ptrdiff_t index)
{
    auto position = static_cast<std::size_t>(index);
    int carry = 5;
    while (carry != 0)
    {
        const int sum = (number.digits[position] - '0') + carry;
        number.digits[position] = static_cast<char>('0' + sum % 10);
        carry = sum / 10;
        if (carry == 0)
            break;
        if (position == 0)
        {
            number.digits.insert(number.digits.begin(), '1');
            ++number.pointPosition;
            break;
        }
        --position;
    }
}

void AppendExponentForm(std::string& out, const DecimalDigits& number, std::ptrdiff_t first)
{
    const std::ptrdiff_t exponent = number.pointPosition - first - 1;
    const auto at = [&](std::ptrdiff_t index) {
        return index < static_cast<std::ptrdiff_t>(number.digits.size())
                   ? number.digits[static_cast<std::size_t>(index)]
                   : '0';
    };
    out += at(first);
    out += '.';
    for (std::ptrdiff_t i = 1; i <= FixedDecimals; ++i)
        out += at(first + i);
    out += 'e';
    out += exponent < 0 ? '-' : '+';
    const std::ptrdiff_t magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10)
        out += '0';
    out += std::to_string(magnitude);
}

// The reading state shared by the integer and the float reading: position, sign and base.
struct NumberStart
{
    std::size_t position = 0;
    bool negative = false;
    unsigned base = 10;
    bool prefixed = false;
};

NumberStart ReadSignsAndBase(std::string_view text)
{
    NumberStart start;
    std::size_t& i = start.position;
    // Blanks, tabs and signs in any mix; the last sign wins.
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '-' || text[i] == '+'))
    {
        if (text[i] == '-')
            start.negative = true;
        else if (text[i] == '+')
            start.negative = false;
        ++i;
    }
    return start;
}

// Looks at a base prefix after a leading "0"; consumes it (or the bare zero) for the integer reading.
void ReadBasePrefix(std::string_view text, NumberStart& start)
{
    std::size_t& i = start.position;
    if (i + 1 >= text.size() || text[i] != '0')
        return;
    switch (text[i + 1])
    {
    case 'x':
    case 'X':
        start.base = 16;
        break;
    case 'b':
    case 'B':
        start.base = 2;
        break;
    case 'o':
    case 'O':
        start.base = 8;
        break;
    default:
        // Any other character leaves base 10; the consumed zero does not change the number.
        ++i;
        return;
    }
    start.prefixed = true;
    i += 2;
}

unsigned DigitValue(char character)
{
    if (character >= '0' && character <= '9')
        return static_cast<unsigned>(character - '0');
    if (character >= 'a' && character <= 'z')
        return static_cast<unsigned>(character - 'a') + 10u;
    if (character >= 'A' && character <= 'Z')
        return static_cast<unsigned>(character - 'A') + 10u;
    return 36u;
}

// Digits of the base up to the first other character, accumulated modulo 2^64.
std::uint64_t ReadDigits(std::string_view text, NumberStart& start)
{
    std::uint64_t value = 0;
    while (start.position < text.size())
    {
        const unsigned digit = DigitValue(text[start.position]);
        if (digit >= start.base)
            break;
        value = value * start.base + digit;
        ++start.position;
    }
    return value;
}

bool IsDecimalDigit(char character)
{
    return character >= '0' && character <= '9';
}

// Where a decimal number (digits, an optional "." with fraction digits, an optional exponent) that starts at a
// given position ends, and the power of ten of its first non-zero digit, which tells an overflow from an
// underflow when the number lies outside the float range.
struct DecimalNumber
{
    std::size_t end = 0;
    bool anyDigit = false;
    bool nonZero = false;
    std::int64_t leadingExponent = 0;
};

// Exponent digits beyond this are still read but no longer counted: the number is then far outside the float
// range either way, and the sum with the digit position (bounded by the text's length) cannot overflow.
constexpr std::int64_t ExponentCountLimit = 1'000'000'000'000'000;

DecimalNumber ScanDecimal(std::string_view text, std::size_t position)
{
    DecimalNumber number;
    std::size_t end = position;
    std::int64_t integerDigits = 0;
    while (end < text.size() && IsDecimalDigit(text[end]))
    {
        number.anyDigit = true;
        if (text[end] != '0' || number.nonZero)
        {
            number.nonZero = true;
            ++integerDigits;
        }
        ++end;
    }
    number.leadingExponent = integerDigits - 1;
    if (end < text.size() && text[end] == '.')
    {
        ++end;
        std::int64_t fractionIndex = 0;
        while (end < text.size() && IsDecimalDigit(text[end]))
        {
            number.anyDigit = true;
            ++fractionIndex;
            if (!number.nonZero && text[end] != '0')
            {
                number.nonZero = true;
                number.leadingExponent = -fractionIndex;
            }
            ++end;
        }
    }
    number.end = end;
    if (!number.anyDigit)
        return number;
    // An exponent counts only when at least one digit follows the "e" and its sign.
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E'))
    {
        std::size_t exponentEnd = end + 1;
        bool exponentNegative = false;
        if (exponentEnd < text.size() && (text[exponentEnd] == '+' || text[exponentEnd] == '-'))
        {
            exponentNegative = text[exponentEnd] == '-';
            ++exponentEnd;
        }
        std::int64_t exponent = 0;
        const std::size_t exponentDigits = exponentEnd;
        while (exponentEnd < text.size() && IsDecimalDigit(text[exponentEnd]))
        {
            if (exponent < ExponentCountLimit)
                exponent = exponent * 10 + (text[exponentEnd] - '0');
            ++exponentEnd;
        }
        if (exponentEnd > exponentDigits)
        {
            number.end = exponentEnd;
            number.leadingExponent += exponentNegative ? -exponent : exponent;
        }
    }
    return number;
}

// The scanned number, rounded once, straight from its decimal digits to the nearest float (going through
// double would round twice and miss by one step for some values). Rounded to nearest, what lies beyond the
// largest float is infinity and what lies below half the smallest is zero.
float DecimalToFloat(std::string_view text, std::size_t position, const DecimalNumber& number)
{
    if (!number.nonZero)
        return 0.0f;
    const char* first = text.data() + position;
    const char* last = text.data() + number.end;
    float value = 0.0f;
    const auto [rest, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range)
        return number.leadingExponent > 0 ? std::numeric_limits<float>::infinity() : 0.0f;
    // The scan and from_chars read the same form, so this is only a safety net.
    if (error != std::errc{} || rest != last)
        return 0.0f;
    return value;
}

// A number field's text without the blanks around it, split into its sign and the rest.
struct SignedText
{
    bool negative = false;
    std::string_view body;
};

SignedText SplitFieldText(std::string_view text)
{
    constexpr std::string_view Blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    text = text.substr(first, text.find_last_not_of(Blanks) - first + 1);
    SignedText result;
    if (text.front() == '+' || text.front() == '-')
    {
        result.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    result.body = text;
    return result;
}

// The common case, 0.1 <= m < 10^9, in exact 64-bit integer arithmetic: with m = mantissa * 2^-shift,
// floor(m * 10^5 + 1/2) = (2 * mantissa * 10^5 + 2^shift) >> (shift + 1). Returns false for other values.
bool TryAppendFixedFast(std::string& out, float magnitude)
{
    if (!(magnitude >= 0.1f && magnitude < 1e9f))
        return false;
    int exponent = 0;
    const float fraction = std::frexp(magnitude, &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 24));
    const int binaryExponent = exponent - 24;
    std::uint64_t scaled = 0;
    if (binaryExponent >= 0)
        scaled = (mantissa << binaryExponent) * 100000u;
    else
    {
        // From 0.1 on the shift is at most 27, so nothing here comes near 2^64.
        const int shift = -binaryExponent;
        scaled = (mantissa * 200000u + (std::uint64_t{1} << shift)) >> (shift + 1);
    }
    const std::string fractionDigits = std::to_string(scaled % 100000u);
    out += std::to_string(scaled / 100000u);
    out += '.';
    out.append(static_cast<std::size_t>(FixedDecimals) - fractionDigits.size(), '0');
    out += fractionDigits;
    return true;
}

} // namespace

std::string NumberText::FloatToString(float value)
{
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value))
        return std::signbit(value) ? "-inf" : "inf";

    std::string out;
    out.reserve(24);
    if (std::signbit(value))
        out += '-';
    const float magnitude = std::fabs(value);
    if (TryAppendFixedFast(out, magnitude))
        return out;
    DecimalDigits number = ExactDigits(magnitude);

    // Rounding term 0.5·10^-(5+k), k being the zeros right after the point when m < 0.1: values from 0.1
    // on are rounded half up at the fifth decimal, smaller ones are in effect cut after it. Adding it to
    // the exact digits keeps the rounding exact where a float sum would not be.
    if (magnitude > 0.0f)
    {
        // Counted on the exact digits: below 0.1 the integer part is a single 0 and the fraction starts with 0.
        std::ptrdiff_t zeros = 0;
        if (number.pointPosition == 1 && number.digits[0] == '0')
        {
            while (number.digits[static_cast<std::size_t>(number.pointPosition + zeros)] == '0')
                ++zeros;
        }
        AddFiveAt(number, number.pointPosition + FixedDecimals + zeros);
    }

    const std::size_t firstNonZero = number.digits.find_first_not_of('0');
    const bool isZero = firstNonZero == std::string::npos;
    const auto first = isZero ? number.pointPosition - 1 : static_cast<std::ptrdiff_t>(firstNonZero);
    const std::ptrdiff_t exponent = number.pointPosition - first - 1;
    // Exactly 10^-10 is not above 10^-10: a single 1 with nothing after it.
    const bool exactlyTenToMinusTen =
        exponent == -10 &&
        number.digits.find_first_not_of('0', static_cast<std::size_t>(first) + 1) == std::string::npos &&
        number.digits[static_cast<std::size_t>(first)] == '1';
    const bool fixed = isZero || (exponent <= 9 && exponent >= -10 && !exactlyTenToMinusTen);
    if (!fixed)
    {
        AppendExponentForm(out, number, first);
        return out;
    }
    // The fixed form has at most 10 integer and 5 fraction digits, well inside the 18 significant digits
    // the text form allows, so every digit written is exact.
    const std::ptrdiff_t integerStart = exponent >= 0 ? first : number.pointPosition - 1;
    const auto digitsBegin = number.digits.begin();
    out.append(digitsBegin + integerStart, digitsBegin + number.pointPosition);
    out += '.';
    out.append(digitsBegin + number.pointPosition, digitsBegin + number.pointPosition + FixedDecimals);
    return out;
}

std::string NumberText::IntToString(std::int32_t value)
{
    return std::to_string(value);
}

std::int64_t NumberText::ToInt(std::string_view text)
{
    NumberStart start = ReadSignsAndBase(text);
    ReadBasePrefix(text, start);
    const std::uint64_t magnitude = ReadDigits(text, start);
    // Negation and the signed view are modulo 2^64, like the accumulation.
    return static_cast<std::int64_t>(start.negative ? 0u - magnitude : magnitude);
}

float NumberText::ToFloat(std::string_view text)
{
    NumberStart start = ReadSignsAndBase(text);
    const std::size_t afterSigns = start.position;
    ReadBasePrefix(text, start);
    float magnitude = 0.0f;
    if (start.prefixed)
        // One rounding, straight from the 64-bit integer to float.
        magnitude = static_cast<float>(ReadDigits(text, start));
    else
        magnitude = DecimalToFloat(text, afterSigns, ScanDecimal(text, afterSigns));
    // A reading of zero stays +0 whatever sign stood before it, so "-" or "-abc" do not give -0.
    if (magnitude == 0.0f)
        return 0.0f;
    return start.negative ? -magnitude : magnitude;
}

std::optional<std::int64_t> NumberText::ParseInteger(std::string_view text)
{
    const SignedText parts = SplitFieldText(text);
    if (parts.body.empty())
        return std::nullopt;
    // Every character is checked before the size counts: "9999999999999999999f" is no number, not a large one.
    constexpr std::uint64_t Saturated = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t magnitude = 0;
    for (const char character : parts.body)
    {
        if (!IsDecimalDigit(character))
            return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(character - '0');
        magnitude = magnitude > (Saturated - digit) / 10u ? Saturated : magnitude * 10u + digit;
    }
    constexpr auto Largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (parts.negative)
        return magnitude > Largest ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(magnitude);
    return magnitude > Largest ? std::numeric_limits<std::int64_t>::max() : static_cast<std::int64_t>(magnitude);
}

std::optional<float> NumberText::ParseFloat(std::string_view text)
{
    const SignedText parts = SplitFieldText(text);
    // The body must begin with the number itself: no second sign, no word such as "inf".
    if (parts.body.empty() || !(IsDecimalDigit(parts.body.front()) || parts.body.front() == '.'))
        return std::nullopt;
    const DecimalNumber number = ScanDecimal(parts.body, 0);
    if (!number.anyDigit || number.end != parts.body.size())
        return std::nullopt;
    float magnitude = DecimalToFloat(parts.body, 0, number);
    if (std::isinf(magnitude))
        magnitude = std::numeric_limits<float>::max();
    return parts.negative ? -magnitude : magnitude;
}
} // namespace Quarnel::Common
