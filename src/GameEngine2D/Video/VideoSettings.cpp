#include "GameEngine2D/Video/VideoSettings.h"

namespace Quarnel::GameEngine2D::Video
{

VideoSettings::VideoSettings(Common::Point2D windowSize, int colourBits, bool fullscreenMode, int maxTextureEdge) :
    bitsPerPixel(colourBits),
    fullscreen(fullscreenMode),
    size(windowSize),
    maxTextureSize(maxTextureEdge)
{
}

} // namespace Quarnel::GameEngine2D::Video
