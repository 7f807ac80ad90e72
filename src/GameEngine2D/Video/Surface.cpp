#include "GameEngine2D/Video/Surface.h"

#include <stdexcept>

namespace Quarnel::GameEngine2D::Video
{

Surface::Surface(GlTexture glTexture, Common::Point2D textureSize, Common::Point2D partPosition) :
    texture(std::move(glTexture)),
    size(textureSize),
    position(partPosition)
{
    if (!texture)
        throw std::invalid_argument("invalid texture-ID");
}

std::uint32_t Surface::GetGlTextureId() const
{
    if (!texture)
        throw std::runtime_error("GlTextureId kann nicht mehr verwendet werden, da sie nicht mehr vorhanden ist");
    return texture.Get();
}

} // namespace Quarnel::GameEngine2D::Video
