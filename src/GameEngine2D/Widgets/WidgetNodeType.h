#pragma once

#include <cstdint>

namespace Quarnel::GameEngine2D::Widgets
{

// The visual role a control asks the frame's node-creation callback for. Value 2 is asked for by no control.
enum class WidgetNodeType : std::int32_t
{
    // Asked for first by every control; kept as its background.
    Background = 0,
    // Asked for second; hidden, shown while the pointer is over the enabled control.
    Highlight = 1,
    // Asked for by check boxes; hidden, shown while checked.
    Check = 3,
    // Asked for third by every control. The callback may play or prepare a sound, but must return no node.
    Sound = 4,
};

} // namespace Quarnel::GameEngine2D::Widgets
