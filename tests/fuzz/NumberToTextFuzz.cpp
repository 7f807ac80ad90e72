// The five-decimals text of floats: every 4 input bytes are one float's bits. Between 10^-9 and 10^10 the text
// must be exactly the value rounded as the log writes it, which is computed here in exact integer arithmetic;
// elsewhere it must be the exponent form, close to the value.
#include "Common/Helper.h"
#include "FuzzSupport.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace
{

using Quarnel::Common::Helper;

__extension__ using Wide = unsigned __int128;

Wide PowerOfTen(int exponent)
{
    Wide result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10u;
    return result;
}

// The fixed text of 10^-9 <= magnitude < 10^10. With magnitude = mantissa / 2^shift: from 0.1 on it is rounded
// half up at the fifth decimal; below 0.1, with k zeros after the point, 0.5 * 10^-(5 + k) is added and the
// digits after the fifth decimal are cut.
std::string ExpectedFixed(float magnitude)
{
    int binaryExponent = 0;
    const float fraction = std::frexp(magnitude, &binaryExponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 24));
    const int exponent = binaryExponent - 24;
    Wide scaled = 0;
    if (exponent >= 0)
        scaled = (Wide{mantissa} << exponent) * 100000u;
    else
    {
        const int shift = -exponent;
        const Wide denominator = Wide{1} << shift;
        int zeros = 0;
        // magnitude < 10^-(zeros + 1) exactly when mantissa * 10^(zeros + 1) < 2^shift.
        while (Wide{mantissa} * PowerOfTen(zeros + 1) < denominator)
            ++zeros;
        const Wide tens = PowerOfTen(zeros);
        scaled = (Wide{mantissa} * 100000u * tens * 2u + denominator) / (denominator * tens * 2u);
    }
    const auto units = static_cast<std::uint64_t>(scaled);
    std::string decimals = std::to_string(units % 100000u);
    decimals.insert(0, 5 - decimals.size(), '0');
    return std::to_string(units / 100000u) + "." + decimals;
}

bool IsDigit(char character)
{
    return character >= '0' && character <= '9';
}

// One non-zero digit, ".", five digits, "e", a sign and two or three exponent digits.
bool IsExponentForm(std::string_view text)
{
    if (text.size() < 11 || text.size() > 12 || text[0] < '1' || text[0] > '9' || text[1] != '.' || text[7] != 'e' ||
        (text[8] != '+' && text[8] != '-'))
        return false;
    for (std::size_t i = 2; i < text.size(); ++i)
    {
        if (i != 7 && i != 8 && !IsDigit(text[i]))
            return false;
    }
    return true;
}

void CheckFloat(float value)
{
    const std::string text = Helper::FloatToString(value);
    const std::string shown = text + " for bits " + std::to_string(std::bit_cast<std::uint32_t>(value));
    if (std::isnan(value))
    {
        Quarnel::Fuzz::Check(text == (std::signbit(value) ? "-nan" : "nan"), "nan text", shown);
        return;
    }
    if (std::isinf(value))
    {
        Quarnel::Fuzz::Check(text == (value < 0 ? "-inf" : "inf"), "infinity text", shown);
        return;
    }
    Quarnel::Fuzz::Check(std::signbit(value) == text.starts_with('-'), "the sign shows exactly when set", shown);
    const float magnitude = std::fabs(value);
    const std::string unsignedText = text.substr(std::signbit(value) ? 1 : 0);
    if (magnitude == 0.0f)
    {
        Quarnel::Fuzz::Check(unsignedText == "0.00000", "zero text", shown);
        return;
    }
    if (magnitude >= 1e-9f && magnitude < 1e10f)
    {
        Quarnel::Fuzz::Check(unsignedText == ExpectedFixed(magnitude), "fixed text is the rounded value", shown);
        return;
    }
    // Tiny values just above 10^-10 after rounding still take the fixed form, as zero.
    if (unsignedText == "0.00000")
    {
        Quarnel::Fuzz::Check(magnitude < 1e-9f && magnitude > 9.9e-11f, "only values near 10^-10 print as zero", shown);
        return;
    }
    Quarnel::Fuzz::Check(IsExponentForm(unsignedText), "exponent form", shown);
    const double written = std::strtod(unsignedText.c_str(), nullptr);
    const double exact = magnitude;
    Quarnel::Fuzz::Check(std::fabs(written - exact) <= 1e-4 * exact, "exponent form is close to the value", shown);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (std::size_t at = 0; at + 4 <= size; at += 4)
    {
        std::uint32_t bits = 0;
        std::memcpy(&bits, data + at, sizeof bits);
        CheckFloat(std::bit_cast<float>(bits));
    }
    return 0;
}
