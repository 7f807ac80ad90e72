#include "Common/Helper.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
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

// Reads digits, an optional fraction and an optional exponent; returns false when no digit was seen.
bool ReadDecimalFloat(std::string_view text, std::size_t position, double& value)
{
    const std::size_t begin = position;
    std::size_t end = position;
    bool anyDigit = false;
    // The decimal exponent of the first significant digit, to tell overflow from underflow.
    std::ptrdiff_t leadingExponent = 0;
    bool seenSignificant = false;
    std::ptrdiff_t integerDigits = 0;
    while (end < text.size() && IsDecimalDigit(text[end]))
    {
        anyDigit = true;
        if (text[end] != '0' || seenSignificant)
        {
            seenSignificant = true;
            ++integerDigits;
        }
        ++end;
    }
    leadingExponent = integerDigits - 1;
    if (end < text.size() && text[end] == '.')
    {
        ++end;
        std::ptrdiff_t fractionIndex = 0;
        while (end < text.size() && IsDecimalDigit(text[end]))
        {
            anyDigit = true;
            ++fractionIndex;
            if (!seenSignificant && text[end] != '0')
            {
                seenSignificant = true;
                leadingExponent = -fractionIndex;
            }
            ++end;
        }
    }
    if (!anyDigit)
        return false;
    if (!seenSignificant)
    {
        value = 0.0;
        return true;
    }
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
        std::ptrdiff_t exponent = 0;
        const std::size_t exponentDigits = exponentEnd;
        while (exponentEnd < text.size() && IsDecimalDigit(text[exponentEnd]))
        {
            // Saturates: anything this large is infinity or zero anyway.
            if (exponent < 1'000'000)
                exponent = exponent * 10 + (text[exponentEnd] - '0');
            ++exponentEnd;
        }
        if (exponentEnd > exponentDigits)
        {
            end = exponentEnd;
            leadingExponent += exponentNegative ? -exponent : exponent;
        }
    }
    const auto [rest, error] = std::from_chars(text.data() + begin, text.data() + end, value);
    if (error == std::errc::result_out_of_range)
        value = leadingExponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    else if (error != std::errc{} || rest != text.data() + end)
        value = 0.0;
    return true;
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

// Narrows to float the way IEEE rounding does, without converting an out-of-range double.
float NarrowToFloat(double value)
{
    // Halfway between the largest float and 2^128: from here on, rounding to nearest gives infinity.
    constexpr double overflowThreshold = 0x1.ffffffp127;
    if (std::fabs(value) >= overflowThreshold)
        return value < 0 ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

} // namespace

std::string Helper::FloatToString(float value)
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

std::string Helper::IntToString(std::int32_t value)
{
    return std::to_string(value);
}

std::int64_t Helper::ToInt(std::string_view text)
{
    NumberStart start = ReadSignsAndBase(text);
    ReadBasePrefix(text, start);
    const std::uint64_t magnitude = ReadDigits(text, start);
    // Negation and the signed view are modulo 2^64, like the accumulation.
    return static_cast<std::int64_t>(start.negative ? 0u - magnitude : magnitude);
}

float Helper::ToFloat(std::string_view text)
{
    NumberStart start = ReadSignsAndBase(text);
    const std::size_t afterSigns = start.position;
    ReadBasePrefix(text, start);
    double magnitude = 0.0;
    if (start.prefixed)
        magnitude = static_cast<double>(ReadDigits(text, start));
    else if (!ReadDecimalFloat(text, afterSigns, magnitude))
        magnitude = 0.0;
    const float result = NarrowToFloat(magnitude);
    // A reading of zero stays +0 whatever sign stood before it, so "-" or "-abc" do not give -0.
    if (result == 0.0f)
        return 0.0f;
    return start.negative ? -result : result;
}

std::string Helper::ToStringz(std::string_view text)
{
    Info(std::string("toStringz: ").append(text));
    std::string result(text);
    if (result.empty() || result.back() != '\0')
        result.push_back('\0');
    return result;
}

std::string Helper::FromStringz(const char* chars)
{
    if (chars == nullptr)
        return {};
    return chars;
}

void Helper::CheckNull(std::string_view name)
{
    Throw<std::invalid_argument>(std::string(name) + " is null");
}

void Helper::Throw(const std::string& message)
{
    Throw<std::runtime_error>(message);
}

std::string Helper::MessageOf(const std::exception_ptr& error)
{
    try
    {
        std::rethrow_exception(error);
    }
    catch (const std::exception& caught)
    {
        return caught.what();
    }
    catch (...)
    {
        return "unknown exception";
    }
}

} // namespace Quarnel::Common
