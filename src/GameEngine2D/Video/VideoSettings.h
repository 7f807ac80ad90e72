#pragma once

#include "Common/Point2D.h"

namespace Quarnel::GameEngine2D::Video
{

// What the program asks of its window. Built once by the program's entry and never changed afterwards.
class VideoSettings final
{
public:
    VideoSettings(Common::Point2D windowSize, int colourBits, bool fullscreenMode, int maxTextureEdge);

    // Colour depth of the window in bits; the video engine accepts only 16 and 32.
    [[nodiscard]] int GetBitsPerPixel() const { return bitsPerPixel; }
    [[nodiscard]] bool IsFullscreen() const { return fullscreen; }
    // Window width (x) and height (y) in pixels.
    [[nodiscard]] Common::Point2D GetSize() const { return size; }
    // Largest edge in pixels of one OpenGL texture; larger images are cut into parts.
    [[nodiscard]] int GetMaxTextureSize() const { return maxTextureSize; }

private:
    int bitsPerPixel;
    bool fullscreen;
    Common::Point2D size;
    int maxTextureSize;
};

} // namespace Quarnel::GameEngine2D::Video
