#pragma once

#include "GameEngine2D/Video/GlTexture.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace Quarnel::GameEngine2D::Video
{

class Surface;

// One large texture that holds copies of small images (the glyphs of texts), so that a whole line of text is drawn
// with one texture and one primitive instead of one texture switch and one draw per character. The software renderer
// pays mostly per draw and per state change, not per pixel, so this is what makes text cheap.
//
// A copy is the whole texture of the part, transparent margins included, so a quad drawn over the copy shows exactly
// what a quad over the part shows. The atlas samples its nearest texel: text is drawn pixel for pixel at its own
// size, where the part's linear filter hits texel centres and reads single texels too.
//
// Copies are keyed by the part's texture name. Only images that live until shut-down (cached glyphs) may be looked
// up here, since a deleted name could be handed out again; Release forgets everything with the textures.
class GlyphAtlas final
{
public:
    static constexpr int Edge = 1024;
    // Larger images are left to the ordinary drawing.
    static constexpr int LargestCopy = 128;

    // Texture coordinates of one copy inside the atlas.
    struct Region
    {
        float u0 = 0.0f;
        float v0 = 0.0f;
        float u1 = 0.0f;
        float v1 = 0.0f;
    };

    // The region showing `part`, copied in on its first use; null when it is too large or the atlas is full. Needs
    // the OpenGL context; binds the part's texture and then the atlas's while it copies.
    const Region* Find(const Surface& part);
    // The atlas texture's name; 0 before the first copy.
    [[nodiscard]] GLuint GetTextureId() const noexcept { return texture.Get(); }
    // Deletes the texture and forgets every copy (the context must be current).
    void Release() noexcept;

private:
    // The top-left corner for a copy of width × height pixels on the shelves, or false when none is left.
    bool Place(int width, int height, int& x, int& y);
    void CreateTexture();

    GlTexture texture;
    std::unordered_map<std::uint32_t, Region> regions;
    std::vector<std::uint8_t> pixels;
    int shelfX = 0;
    int shelfY = 0;
    int shelfHeight = 0;
};

} // namespace Quarnel::GameEngine2D::Video
