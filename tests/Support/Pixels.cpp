#include "Support/Pixels.h"

#include <array>
#include <cstdlib>
#include <epoxy/gl.h>

namespace Quarnel::TestSupport
{

std::ostream& operator<<(std::ostream& out, const Rgba& pixel)
{
    return out << "rgba(" << int{pixel.r} << ", " << int{pixel.g} << ", " << int{pixel.b} << ", " << int{pixel.a}
               << ")";
}

Rgba ReadPixel(int x, int y)
{
    // OpenGL counts rows from the bottom; the viewport's height is the window's.
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    std::array<GLubyte, 4> bytes{};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, viewport[3] - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    return Rgba{bytes[0], bytes[1], bytes[2], bytes[3]};
}

static_assert(sizeof(Rgba) == 4, "read straight from OpenGL's RGBA bytes");

std::vector<Rgba> ReadPixels(int x, int y, int width, int height)
{
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    std::vector<Rgba> bottomUp(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, viewport[3] - y - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<Rgba> pixels;
    pixels.reserve(bottomUp.size());
    for (int row = height - 1; row >= 0; --row)
    {
        const auto first = bottomUp.begin() + static_cast<std::ptrdiff_t>(row) * width;
        pixels.insert(pixels.end(), first, first + width);
    }
    return pixels;
}

bool NearlyEqual(Rgba actual, Rgba expected, int tolerance)
{
    return std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
           std::abs(actual.b - expected.b) <= tolerance && std::abs(actual.a - expected.a) <= tolerance;
}

} // namespace Quarnel::TestSupport
