#include "GameEngine2D/Video/GlyphAtlas.h"

#include "GameEngine2D/Video/Surface.h"

#include <algorithm>

namespace Quarnel::GameEngine2D::Video
{

const GlyphAtlas::Region* GlyphAtlas::Find(const Surface& part)
{
    const std::uint32_t name = part.GetGlTextureId();
    if (const auto found = regions.find(name); found != regions.end())
        return &found->second;

    const auto width = static_cast<int>(part.GetSize().x);
    const auto height = static_cast<int>(part.GetSize().y);
    int x = 0;
    int y = 0;
    if (width > LargestCopy || height > LargestCopy || !Place(width, height, x, y))
        return nullptr;
    if (!texture)
        CreateTexture();

    // The part's own texels, margins included, read back once and written into its place.
    pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4u);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, texture.Get());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());

    constexpr float Scale = 1.0f / static_cast<float>(Edge);
    const Region region{static_cast<float>(x) * Scale, static_cast<float>(y) * Scale,
                        static_cast<float>(x + width) * Scale, static_cast<float>(y + height) * Scale};
    return &regions.emplace(name, region).first->second;
}

void GlyphAtlas::Release() noexcept
{
    texture.Reset();
    regions.clear();
    shelfX = 0;
    shelfY = 0;
    shelfHeight = 0;
}

bool GlyphAtlas::Place(int width, int height, int& x, int& y)
{
    // Shelves from the top: a copy that does not fit beside the last one opens a new shelf below.
    if (shelfX + width > Edge)
    {
        shelfY += shelfHeight;
        shelfX = 0;
        shelfHeight = 0;
    }
    if (shelfY + height > Edge)
        return false;
    x = shelfX;
    y = shelfY;
    shelfX += width;
    shelfHeight = std::max(shelfHeight, height);
    return true;
}

void GlyphAtlas::CreateTexture()
{
    // Transparent where nothing is copied yet.
    const std::vector<std::uint8_t> clear(static_cast<std::size_t>(Edge) * Edge * 4u, 0);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    texture = CreateNearestTexture(Edge, Edge, clear.data());
}

} // namespace Quarnel::GameEngine2D::Video
