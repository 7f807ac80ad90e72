#include "GameEngine2D/Video/GlyphRenderer.h"

#include "Common/MyLog.h"
#include "GameEngine2D/Video/Font.h"
#include "GameEngine2D/Video/ImageLoader.h"
#include "GameEngine2D/Video/SurfaceManager.h"
#include "GameEngine2D/Video/Surfaces.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <algorithm>
#include <stdexcept>

namespace Quarnel::GameEngine2D::Video
{

namespace
{

struct TtfFontCloser
{
    void operator()(TTF_Font* font) const noexcept { TTF_CloseFont(font); }
};
using TtfFont = std::unique_ptr<TTF_Font, TtfFontCloser>;

struct SdlSurfaceFreer
{
    void operator()(SDL_Surface* surface) const noexcept { SDL_FreeSurface(surface); }
};
using Image = std::unique_ptr<SDL_Surface, SdlSurfaceFreer>;

// Opens a TrueType file; a file that is missing or no font is reported with SDL's reason, never used.
TtfFont OpenFont(const std::string& ttfFile, int size)
{
    TtfFont font(TTF_OpenFont(ttfFile.c_str(), size));
    if (!font)
    {
        const std::string error = SDL_GetError();
        Common::MyLog::Info("Fehler, Open Font :(");
        Common::MyLog::Info(error);
        throw std::runtime_error("Font " + ttfFile + " kann nicht geöffnet werden: " + error);
    }
    return font;
}

// Renders a text as a 32-bit image with alpha whose own blending is off, so that cutting it into textures copies its
// alpha channel. A character SDL_ttf cannot render on its own (one of zero width, such as a combining mark) becomes a
// transparent image one pixel wide and one line high: the text stays drawable, nothing shows for it.
Image RenderText(TTF_Font& font, const std::string& text, Common::Color color)
{
    const SDL_Color ttfColor{static_cast<Uint8>(color.r), static_cast<Uint8>(color.g), static_cast<Uint8>(color.b),
                             255};
    Image image(TTF_RenderUTF8_Blended(&font, text.c_str(), ttfColor));
    if (!image)
    {
        Common::MyLog::Warning("Zeichen kann nicht gerendert werden: " + std::string(SDL_GetError()));
        image.reset(
            SDL_CreateRGBSurfaceWithFormat(0, 1, std::max(1, TTF_FontHeight(&font)), 32, SDL_PIXELFORMAT_RGBA32));
        if (!image)
            throw std::runtime_error("Zeichen kann nicht gerendert werden: " + std::string(SDL_GetError()));
    }
    SDL_SetSurfaceBlendMode(image.get(), SDL_BLENDMODE_NONE);
    return image;
}

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0u) == 0x80u;
}

// Length of the well-formed UTF-8 sequence at the start of `rest`, or 1 when it is not one. The ranges of the second
// byte exclude overlong forms, surrogates and code points above U+10FFFF.
std::size_t SequenceLength(std::string_view rest)
{
    const auto lead = static_cast<unsigned char>(rest[0]);
    std::size_t length = 1;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    if (length == 1 || rest.size() < length)
        return 1;
    const auto second = static_cast<unsigned char>(rest[1]);
    if (second < low || second > high)
        return 1;
    for (std::size_t i = 2; i < length; ++i)
    {
        if (!IsContinuation(static_cast<unsigned char>(rest[i])))
            return 1;
    }
    return length;
}

} // namespace

GlyphRenderer::GlyphRenderer(ImageLoader& imageLoader, SurfaceManager& cache) noexcept :
    images(imageLoader),
    surfaceManager(cache)
{
}

std::vector<std::shared_ptr<Surfaces>> GlyphRenderer::CreateTextSurfaces(std::string_view text,
                                                                         const std::shared_ptr<Font>& font)
{
    if (!font)
        throw std::invalid_argument("font is null");
    const std::vector<std::string_view> characters = SplitCharacters(text);
    std::vector<std::shared_ptr<Surfaces>> result;
    result.reserve(characters.size());

    // One key buffer for the whole text: only the character at its end changes.
    std::string key = GlyphKey(*font, {});
    const std::size_t prefixLength = key.size();
    TtfFont ttfFont;
    for (const std::string_view character : characters)
    {
        key.resize(prefixLength);
        key.append(character);
        std::shared_ptr<Surfaces> surfaces = surfaceManager.Get(key);
        if (!surfaces)
        {
            if (!ttfFont)
            {
                ttfFont = OpenFont(font->GetTtfFile(), font->GetSize());
                ++openedFonts;
            }
            const Image image = RenderText(*ttfFont, std::string(character), font->GetColor());
            surfaces = images.ConvertToSurfaces(*image, key);
            surfaceManager.Add(surfaces);
            ++renderedGlyphs;
        }
        result.push_back(std::move(surfaces));
    }
    return result;
}

std::shared_ptr<Surfaces> GlyphRenderer::CreateTextSurface(const std::string& text)
{
    const TtfFont ttfFont = OpenFont("Vera.ttf", 18);
    ++openedFonts;
    const Image image = RenderText(*ttfFont, text, Common::Color(255, 255, 255, 255));
    return images.ConvertToSurfaces(*image, text);
}

std::string GlyphRenderer::GlyphKey(const Font& font, std::string_view character)
{
    std::string key = "[genericFont|";
    key += font.GetFontId();
    key += '|';
    key += character;
    return key;
}

std::vector<std::string_view> GlyphRenderer::SplitCharacters(std::string_view text)
{
    std::vector<std::string_view> characters;
    characters.reserve(text.size());
    while (!text.empty())
    {
        const std::size_t length = SequenceLength(text);
        characters.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return characters;
}

} // namespace Quarnel::GameEngine2D::Video
