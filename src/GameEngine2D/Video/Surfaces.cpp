#include "GameEngine2D/Video/Surfaces.h"

#include <stdexcept>

namespace Quarnel::GameEngine2D::Video
{

Surfaces::Surfaces(std::string surfacesId, std::vector<Surface> surfaceParts, Common::Point2D imageSize) :
    parts(std::move(surfaceParts)),
    id(std::move(surfacesId)),
    size(imageSize)
{
    if (id.empty())
        throw std::invalid_argument("Id ist nicht gesetzt");
    if (parts.empty())
        throw std::invalid_argument("Surfaces sind nicht gesetzt");
}

void Surfaces::DeleteTextures() noexcept
{
    for (Surface& part : parts)
        part.DeleteTexture();
}

} // namespace Quarnel::GameEngine2D::Video
