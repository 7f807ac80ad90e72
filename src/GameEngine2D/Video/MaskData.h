#pragma once

#include <cstdint>

namespace Quarnel::GameEngine2D::Video
{

// The channel masks of a 32-bit surface. The video engine uses 0x000000FF, 0x0000FF00, 0x00FF0000,
// 0xFF000000: the bytes R, G, B, A in this order in memory, the layout OpenGL reads as GL_RGBA bytes.
class MaskData final
{
public:
    MaskData(std::uint32_t red, std::uint32_t green, std::uint32_t blue, std::uint32_t alpha) :
        redMask(red),
        greenMask(green),
        blueMask(blue),
        alphaMask(alpha)
    {
    }

    [[nodiscard]] std::uint32_t GetRedMask() const { return redMask; }
    [[nodiscard]] std::uint32_t GetGreenMask() const { return greenMask; }
    [[nodiscard]] std::uint32_t GetBlueMask() const { return blueMask; }
    [[nodiscard]] std::uint32_t GetAlphaMask() const { return alphaMask; }

private:
    std::uint32_t redMask;
    std::uint32_t greenMask;
    std::uint32_t blueMask;
    std::uint32_t alphaMask;
};

} // namespace Quarnel::GameEngine2D::Video
