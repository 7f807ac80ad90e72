// The readings of text as numbers, each against an independent reading by the C library (the fuzzer runs in
// the "C" locale, so its decimal point is "."):
// - ToFloat, the lenient reading: its decimal part must be exactly strtof's correctly rounded float, its base
//   prefixes the integer reading rounded once;
// - ParseInteger and ParseFloat, the number fields' whole-text readings: a value exactly for the texts that
//   strtoll and strtof read whole, and then their value (beyond the range, the nearest limit);
// - ToInt, lenient as well: text after the number never changes it.
#include "Common/Helper.h"
#include "FuzzSupport.h"

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace
{

using Quarnel::Common::Helper;
using Quarnel::Fuzz::Check;

bool IsDigit(char character)
{
    return character >= '0' && character <= '9';
}

bool SameFloat(float first, float second)
{
    return first == second && std::signbit(first) == std::signbit(second);
}

float ExpectedToFloat(std::string_view text)
{
    std::size_t at = 0;
    bool negative = false;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '-' || text[at] == '+'))
    {
        if (text[at] != ' ' && text[at] != '\t')
            negative = text[at] == '-';
        ++at;
    }
    const std::string rest(text.substr(at));
    float magnitude = 0.0f;
    const bool prefixed =
        rest.size() >= 2 && rest[0] == '0' && std::string_view("xXbBoO").find(rest[1]) != std::string_view::npos;
    if (prefixed)
    {
        const auto reading = static_cast<std::uint64_t>(Helper::ToInt(text));
        magnitude = static_cast<float>(negative ? 0u - reading : reading);
    }
    else if (!rest.empty() && (IsDigit(rest[0]) || rest[0] == '.'))
        magnitude = std::strtof(rest.c_str(), nullptr);
    if (magnitude == 0.0f)
        return 0.0f;
    return negative ? -magnitude : magnitude;
}

// The text without blanks around it, and whether after one sign only characters of a decimal number follow,
// which rules out what the C library reads beyond decimal numbers (hexadecimal, "inf", "nan").
struct FieldText
{
    std::string trimmed;
    std::string body;
};

FieldText SplitField(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    FieldText field;
    field.trimmed = std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
    field.body = field.trimmed;
    if (field.body[0] == '+' || field.body[0] == '-')
        field.body.erase(0, 1);
    return field;
}

std::optional<std::int64_t> ExpectedInteger(std::string_view text)
{
    const FieldText field = SplitField(text);
    if (field.body.empty() || field.body.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    // strtoll gives the nearest limit for numbers beyond the range.
    return std::strtoll(field.trimmed.c_str(), nullptr, 10);
}

std::optional<float> ExpectedFloat(std::string_view text)
{
    const FieldText field = SplitField(text);
    if (field.body.empty() || field.body.find_first_not_of("0123456789.eE+-") != std::string::npos ||
        !(IsDigit(field.body[0]) || field.body[0] == '.'))
        return std::nullopt;
    char* end = nullptr;
    const float value = std::strtof(field.trimmed.c_str(), &end);
    if (end != field.trimmed.c_str() + field.trimmed.size())
        return std::nullopt;
    if (std::isinf(value))
        return std::copysign(std::numeric_limits<float>::max(), value);
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = Quarnel::Fuzz::AsText(data, size);

    Check(SameFloat(Helper::ToFloat(text), ExpectedToFloat(text)), "ToFloat rounds as strtof does", text);

    const std::optional<std::int64_t> integer = Helper::ParseInteger(text);
    Check(integer == ExpectedInteger(text), "ParseInteger reads the whole text as strtoll does", text);

    const std::optional<float> number = Helper::ParseFloat(text);
    const std::optional<float> expected = ExpectedFloat(text);
    Check(number.has_value() == expected.has_value() && (!number || SameFloat(*number, *expected)),
          "ParseFloat reads the whole text as strtof does", text);

    // Letters beyond "f" are no digit of any prefix base, so they end every number.
    Check(Helper::ToInt(text) == Helper::ToInt(std::string(text) + "z"), "ToInt stops at the first foreign character",
          text);
    return 0;
}
