#pragma once

#include "Common/Color.h"
#include "Common/Point2D.h"
#include "GameEngine2D/Video/Forward.h"
#include "GameEngine2D/Video/GlTexture.h"
#include "GameEngine2D/Video/SdlSurface.h"

#include <memory>
#include <string>
#include <vector>

struct SDL_Surface;

namespace Quarnel::GameEngine2D::Video
{

// Turns image files, blank images and texts into drawable images: loads them, cuts each into power-of-two texture
// parts no larger than the settings' maxTextureSize, uploads the parts and keeps file images and glyphs in the
// surface cache, keyed by file name or glyph. Everything here needs the engine's GL context current.
class ImageLoader final
{
public:
    ImageLoader(const VideoSettings& videoSettings, const MaskData& masks, SurfaceManager& cache) noexcept;
    ImageLoader(const ImageLoader&) = delete;
    ImageLoader& operator=(const ImageLoader&) = delete;
    virtual ~ImageLoader() = default;

    // A blank (transparent) image of size (truncated to whole pixels), not cached; for pictures drawn into later.
    virtual std::shared_ptr<Surfaces> CreateSurfaces(const std::string& id, Common::Point2D size);
    // The image of a file. With useCache a cached image is returned with one more holder, and a new one is cached.
    // A missing or unreadable file: std::runtime_error with the text users see, also written as a warning.
    virtual std::shared_ptr<Surfaces> CreateSurfaceFromFile(const std::string& fileName, bool useCache);
    virtual std::shared_ptr<Texture> CreateTexture(const std::string& id, Common::Point2D size);
    // Like CreateSurfaceFromFile, wrapped in a Texture; any failure is written as a warning and gives null.
    virtual std::shared_ptr<Texture> CreateTextureFromFile(const std::string& fileName, bool useCache);

    // One texture per character (Unicode code point) of the UTF-8 text, each around the character's cached image:
    // what text nodes lay out. A null font: std::invalid_argument "font is null"; a font file that cannot be opened:
    // std::runtime_error.
    virtual std::vector<std::shared_ptr<Texture>> CreateTextTextures(const std::string& text,
                                                                     const std::shared_ptr<Font>& font);
    // One cached image per character, rendered at most once per font and character; the TrueType file is opened
    // only when some character is not cached yet, and at most once per call.
    virtual std::vector<std::shared_ptr<Surfaces>> CreateTextSurfaces(const std::string& text,
                                                                      const std::shared_ptr<Font>& font);
    // The whole text as one uncached image in white, size 18, from "Vera.ttf" in the working directory; `color` is
    // not used.
    virtual std::shared_ptr<Surfaces> CreateTextSurface(const std::string& text, Common::Color color);

    // Gives a texture's image back to the cache (counts one holder less); the textures stay in video memory.
    virtual void FreeTexture(const Texture& texture);
    virtual void FreeSurfaces(const Surfaces& surfaces);

    // Cuts an image into texture parts and uploads them. The image stays the caller's; its blend mode should be
    // SDL_BLENDMODE_NONE so that its alpha channel is copied, not blended.
    std::shared_ptr<Surfaces> ConvertToSurfaces(SDL_Surface& image, const std::string& id);
    // Texture edge for a remaining image length: a power of two of at least 8, at most maxTextureSize above 8.
    [[nodiscard]] int NextTextureSize(int remaining) const;

private:
    [[nodiscard]] SdlSurface CreateBlankImage(int width, int height) const;
    std::shared_ptr<Surfaces> LoadImage(const std::string& fileName);
    std::vector<Surface> SplitImage(SDL_Surface& image, const std::string& id);
    static GlTexture CreateGlTexture(SdlSurface image);

    const VideoSettings& settings;
    const MaskData& maskData;
    SurfaceManager& surfaceManager;
};

} // namespace Quarnel::GameEngine2D::Video
