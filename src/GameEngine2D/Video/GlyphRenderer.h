#pragma once

#include "GameEngine2D/Video/Forward.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Quarnel::GameEngine2D::Video
{

// Renders texts character by character for the image loader's text operations. Every character (one Unicode code point)
// becomes its own image, cached in the surface cache under its glyph key, so each glyph of each font is rendered and
// uploaded once however many texts use it. The TrueType file is opened at most once per call, and not at all when every
// character is cached already.
//
// Borrows the image loader (to cut images into textures) and the surface cache; keeps nothing between calls but two
// counters that show how much work the calls did.
class GlyphRenderer final
{
public:
    GlyphRenderer(ImageLoader& imageLoader, SurfaceManager& cache) noexcept;

    // One image per code point of the UTF-8 text, in order; cached images come back with one more holder. A null font:
    // std::invalid_argument "font is null". A TrueType file that cannot be opened: the information lines "Fehler, Open
    // Font :(" and SDL's error, then std::runtime_error naming the file and the cause.
    std::vector<std::shared_ptr<Surfaces>> CreateTextSurfaces(std::string_view text, const std::shared_ptr<Font>& font);
    // The whole text as one uncached image, white, size 18, from "Vera.ttf" in the working directory.
    std::shared_ptr<Surfaces> CreateTextSurface(const std::string& text);

    // "[genericFont|" + font identifier + "|" + character: the id of a glyph's image and its cache key.
    [[nodiscard]] static std::string GlyphKey(const Font& font, std::string_view character);
    // The UTF-8 text cut into code points, each as the bytes that encode it. A byte that does not start a well-formed
    // sequence stands alone, so no byte is lost and nothing is read past the end.
    [[nodiscard]] static std::vector<std::string_view> SplitCharacters(std::string_view text);

    // Characters rendered by this renderer so far (cache misses).
    [[nodiscard]] unsigned GetRenderedGlyphs() const noexcept { return renderedGlyphs; }
    // TrueType files opened by this renderer so far.
    [[nodiscard]] unsigned GetOpenedFonts() const noexcept { return openedFonts; }

private:
    ImageLoader& images;
    SurfaceManager& surfaceManager;
    unsigned renderedGlyphs = 0;
    unsigned openedFonts = 0;
};

} // namespace Quarnel::GameEngine2D::Video
