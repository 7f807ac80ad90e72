#pragma once

#include <cstdint>

namespace Quarnel::GameEngine2D::Widgets
{

// The kind of a control. The frame hands it to the application's node-creation callback, which decides
// from it how the control looks.
enum class WidgetType : std::int32_t
{
    // Groups, check-box groups and lists.
    Group = 1,
    Label = 2,
    Button = 3,
    // A stand-alone check box.
    Checkbox = 4,
    // A check box inside a check-box group or a list.
    Option = 5,
    // Text and number fields.
    TextEdit = 6,
    // An invisible area that only shows an info text.
    Space = 7,
};

} // namespace Quarnel::GameEngine2D::Widgets
