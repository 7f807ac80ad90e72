#include "GameEngine2D/Video/Texture.h"

#include "GameEngine2D/Video/Surfaces.h"

#include <stdexcept>

namespace Quarnel::GameEngine2D::Video
{

Texture::Texture(std::shared_ptr<Surfaces> textureSurfaces) : surfaces(std::move(textureSurfaces))
{
    if (!surfaces)
        throw std::invalid_argument("surfaces is null");
}

Common::Point2D Texture::GetSize() const
{
    return surfaces->GetSize();
}

} // namespace Quarnel::GameEngine2D::Video
