#pragma once

#include <cstdint>

namespace Quarnel::GameEngine2D::Input
{

// The kinds of input notification every handler receives.
enum class EventType : std::int32_t
{
    // Pointer motion, with or without buttons held; also the release of a button other than the left one.
    MouseMove = 1,
    // Release of the left mouse button.
    Click = 2,
    // A key press, its repeats included.
    KeyDown = 3,
    // One notch of the wheel turned up.
    WheelUp = 4,
    // One notch of the wheel turned down.
    WheelDown = 5,
};

} // namespace Quarnel::GameEngine2D::Input
