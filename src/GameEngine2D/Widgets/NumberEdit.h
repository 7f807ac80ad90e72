#pragma once

#include "GameEngine2D/Widgets/TextEdit.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Quarnel::GameEngine2D::Widgets
{

// A text field that only takes digits and offers its text as a number. A field for signed decimals (coordinates,
// speeds) also takes one minus, as the first character, and one decimal point.
class NumberEdit final : public TextEdit
{
public:
    NumberEdit(Frame& owner, const std::string& widgetName, const Common::Rect& rect, const std::string& text);
    ~NumberEdit() override;

    // A piece is taken when it is "0" or reads as a non-zero integer: of single characters only the digits. A field
    // for signed decimals also takes "-" into an empty text and "." into a text without a point.
    [[nodiscard]] bool AcceptText(const std::string& piece) const override;
    void SetSignedDecimal(bool allowed) { signedDecimal = allowed; }
    [[nodiscard]] bool IsSignedDecimal() const { return signedDecimal; }
    // The whole text as a 64-bit integer: "042" gives 42; an empty or non-numeric text (also "12abc") gives 0,
    // a value beyond the 64-bit range the nearest limit.
    [[nodiscard]] virtual std::int64_t GetInteger() const;
    // The whole text as a float, rounded once: an empty or non-numeric text gives 0, a value beyond the float
    // range the largest float of its sign.
    [[nodiscard]] virtual float GetFloat() const;

private:
    bool signedDecimal = false;
};

} // namespace Quarnel::GameEngine2D::Widgets
