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

bool NearlyEqual(Rgba actual, Rgba expected, int tolerance)
{
    return std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
           std::abs(actual.b - expected.b) <= tolerance && std::abs(actual.a - expected.a) <= tolerance;
}

} // namespace Quarnel::TestSupport
