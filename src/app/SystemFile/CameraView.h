#pragma once

#include <array>

namespace Zandrel::SystemFile
{

// What it takes to show a system as it was seen when it was kept: the 3D camera's position (the left drag
// pans it in x and y, the wheel moves it in z), the point it looks at, and the turn of the camera node by the
// right drag. The game fills it when saving and applies it when loading; a file without it keeps the view.
struct CameraView
{
    // Scene units.
    std::array<float, 3> position{};
    // Scene units.
    std::array<float, 3> target{};
    // Degrees about x, y and z.
    std::array<float, 3> rotation{};
};

} // namespace Zandrel::SystemFile
