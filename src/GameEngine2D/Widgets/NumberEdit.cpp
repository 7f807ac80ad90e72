#include "GameEngine2D/Widgets/NumberEdit.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <system_error>
#include <utility>

namespace Quarnel::GameEngine2D::Widgets
{

namespace
{
[[nodiscard]] std::string_view Trim(std::string_view text)
{
    constexpr std::string_view Blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// A leading "+" is allowed as in "-"; from_chars itself only takes the minus.
[[nodiscard]] std::string_view SkipPlus(std::string_view text)
{
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    return text;
}

// The whole text as a number of type T: the parse must consume every character.
template <typename T>
[[nodiscard]] std::errc Parse(std::string_view text, T& result)
{
    text = SkipPlus(Trim(text));
    if (text.empty())
        return std::errc::invalid_argument;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, result);
    if (error == std::errc() && stop != end)
        return std::errc::invalid_argument;
    return error;
}
} // namespace

NumberEdit::NumberEdit(Frame& owner, const std::string& widgetName, const Common::Rect& rect, const std::string& text) :
    TextEdit(owner, widgetName, rect, CreateNodes(owner, widgetName, text))
{
}

NumberEdit::~NumberEdit() = default;

bool NumberEdit::AcceptText(const std::string& piece) const
{
    if (piece == "0")
        return true;
    // Only digits and signs can make an integer: pieces with blanks are refused before parsing trims them.
    if (piece.find_first_of(" \t\r\n") != std::string::npos)
        return false;
    std::int64_t number = 0;
    const std::errc error = Parse(piece, number);
    return (error == std::errc() && number != 0) || error == std::errc::result_out_of_range;
}

std::int64_t NumberEdit::GetInteger() const
{
    const std::string text = GetText();
    std::int64_t number = 0;
    const std::errc error = Parse(text, number);
    if (error == std::errc())
        return number;
    if (error == std::errc::result_out_of_range)
        return Trim(text).starts_with('-') ? std::numeric_limits<std::int64_t>::min()
                                           : std::numeric_limits<std::int64_t>::max();
    return 0;
}

float NumberEdit::GetFloat() const
{
    double number = 0.0;
    if (Parse(GetText(), number) != std::errc() || !std::isfinite(number))
        return 0.0f;
    constexpr double Largest = std::numeric_limits<float>::max();
    if (std::abs(number) > Largest)
        return number < 0.0 ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
    return static_cast<float>(number);
}

} // namespace Quarnel::GameEngine2D::Widgets
