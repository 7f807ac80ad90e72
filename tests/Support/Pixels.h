#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

namespace Quarnel::TestSupport
{

// One pixel read back from the frame buffer.
struct Rgba
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;

    bool operator==(const Rgba&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgba& pixel);

// The pixel at (x, y) in window coordinates, origin at the top-left corner (the 2D view's convention), read
// from the frame being drawn: call it after drawing and before SwapBuffers. Needs a current OpenGL context.
[[nodiscard]] Rgba ReadPixel(int x, int y);

// The pixels of the width × height rectangle whose top-left corner is (x, y), row by row from the top, read as
// ReadPixel reads one.
[[nodiscard]] std::vector<Rgba> ReadPixels(int x, int y, int width, int height);

// Whether every channel of `actual` lies within `tolerance` of `expected` (blending rounds differently per
// driver).
[[nodiscard]] bool NearlyEqual(Rgba actual, Rgba expected, int tolerance = 2);

} // namespace Quarnel::TestSupport
