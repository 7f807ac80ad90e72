#pragma once

#include "Common/Point2D.h"
#include "GameEngine2D/Video/GlTexture.h"

#include <cstdint>

namespace Quarnel::GameEngine2D::Video
{

// One part of an image: an OpenGL texture whose edges are powers of two, holding the piece of the image that starts
// at `position` in its top-left corner. The part owns its texture name.
class Surface final
{
public:
    // An empty texture handle: std::invalid_argument "invalid texture-ID".
    Surface(GlTexture glTexture, Common::Point2D textureSize, Common::Point2D partPosition);

    // The texture name; once the texture has been deleted: std::runtime_error, so a freed part is never drawn.
    [[nodiscard]] std::uint32_t GetGlTextureId() const;
    // Edge lengths of the texture in pixels.
    [[nodiscard]] Common::Point2D GetSize() const noexcept { return size; }
    // Top-left corner of the part inside the whole image, in pixels.
    [[nodiscard]] Common::Point2D GetPosition() const noexcept { return position; }

    // Deletes the OpenGL texture now (the GL context must be current); later calls do nothing.
    void DeleteTexture() noexcept { texture.Reset(); }

private:
    GlTexture texture;
    Common::Point2D size;
    Common::Point2D position;
};

} // namespace Quarnel::GameEngine2D::Video
