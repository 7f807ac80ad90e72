#include "GameEngine2D/Widgets/NumberEdit.h"

#include "Common/Helper.h"

#include <optional>
#include <utility>

namespace Quarnel::GameEngine2D::Widgets
{

NumberEdit::NumberEdit(Frame& owner, const std::string& widgetName, const Common::Rect& rect, const std::string& text) :
    TextEdit(owner, widgetName, rect, CreateNodes(owner, widgetName, text))
{
}

NumberEdit::~NumberEdit() = default;

bool NumberEdit::AcceptText(const std::string& piece) const
{
    if (piece == "0")
        return true;
    if (signedDecimal && piece == "-")
        return GetText().empty();
    if (signedDecimal && piece == ".")
        return GetText().find('.') == std::string::npos;
    // Only digits and signs can make an integer: pieces with blanks are refused before parsing trims them.
    if (piece.find_first_of(" \t\r\n") != std::string::npos)
        return false;
    const std::optional<std::int64_t> number = Common::Helper::ParseInteger(piece);
    return number.has_value() && *number != 0;
}

std::int64_t NumberEdit::GetInteger() const
{
    return Common::Helper::ParseInteger(GetText()).value_or(0);
}

float NumberEdit::GetFloat() const
{
    return Common::Helper::ParseFloat(GetText()).value_or(0.0f);
}

} // namespace Quarnel::GameEngine2D::Widgets
