#include "GameEngine2D/Video/ImageLoader.h"

#include "Common/FileSystem/File.h"
#include "Common/Helper.h"
#include "Common/MyLog.h"
#include "GameEngine2D/Video/GlyphRenderer.h"
#include "GameEngine2D/Video/ImageHeader.h"
#include "GameEngine2D/Video/MaskData.h"
#include "GameEngine2D/Video/Surface.h"
#include "GameEngine2D/Video/SurfaceManager.h"
#include "GameEngine2D/Video/Surfaces.h"
#include "GameEngine2D/Video/Texture.h"
#include "GameEngine2D/Video/VideoSettings.h"

#include <SDL_image.h>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>

namespace Quarnel::GameEngine2D::Video
{

namespace
{

// Every texture part is a 32-bit RGBA image whatever the window depth: the upload reads four bytes per pixel.
constexpr int TextureBitsPerPixel = 32;

// A pixel size from a float: truncated, and refused when it is no size at all (negative, NaN, too large), since
// converting such a float to int is undefined.
int ToPixels(float length, const char* what)
{
    if (!(length >= 0.0f) || length >= static_cast<float>(std::numeric_limits<int>::max()))
        throw std::invalid_argument(std::string("ungültige Bildgröße (") + what + "): " + std::to_string(length));
    return static_cast<int>(length);
}

bool IsVectorImage(const std::string& fileName)
{
    SDL_RWops* file = SDL_RWFromFile(fileName.c_str(), "rb");
    if (file == nullptr)
        return false;
    const bool vector = IMG_isSVG(file) != 0;
    SDL_RWclose(file);
    return vector;
}

// Refuses an image beyond the program's largest, naming the file and its size.
void CheckImageSize(const std::string& fileName, ImageHeader::Size size)
{
    if (ImageHeader::IsAllowed(size))
        return;
    Common::Helper::Throw("Das Bild " + fileName + " ist " + std::to_string(size.width) + " x " +
                          std::to_string(size.height) + " Pixel groß, erlaubt sind höchstens " +
                          std::to_string(ImageHeader::MaxEdge) + " Pixel je Kante und " +
                          std::to_string(ImageHeader::MaxPixels) + " Pixel");
}

} // namespace

ImageLoader::ImageLoader(const VideoSettings& videoSettings, const MaskData& masks, SurfaceManager& cache) noexcept :
    settings(videoSettings),
    maskData(masks),
    surfaceManager(cache)
{
}

std::shared_ptr<Surfaces> ImageLoader::CreateSurfaces(const std::string& id, Common::Point2D size)
{
    SdlSurface image = CreateBlankImage(ToPixels(size.X(), "x"), ToPixels(size.Y(), "y"));
    return ConvertToSurfaces(*image.Get(), id);
}

std::shared_ptr<Surfaces> ImageLoader::CreateSurfaceFromFile(const std::string& fileName, bool useCache)
{
    Common::MyLog::Info("CreateSurfaceFromFile " + fileName);
    if (useCache)
    {
        if (auto cached = surfaceManager.Get(fileName))
        {
            Common::MyLog::Info("CreateSurfaceFromFile, getting cached " + fileName);
            return cached;
        }
    }
    Common::MyLog::Info("CreateSurfaceFromFile, Load new: " + fileName);
    auto surfaces = LoadImage(fileName);
    Common::MyLog::Info("CreateSurfaceFromFile, Image loaded: " + fileName);
    if (useCache)
        surfaceManager.Add(surfaces);
    return surfaces;
}

std::shared_ptr<Texture> ImageLoader::CreateTexture(const std::string& id, Common::Point2D size)
{
    return std::make_shared<Texture>(CreateSurfaces(id, size));
}

std::shared_ptr<Texture> ImageLoader::CreateTextureFromFile(const std::string& fileName, bool useCache)
{
    try
    {
        return std::make_shared<Texture>(CreateSurfaceFromFile(fileName, useCache));
    }
    catch (const std::exception& error)
    {
        // A picture without its image is still a usable picture: the caller decides what to do with none.
        Common::MyLog::Warning(error.what());
        return nullptr;
    }
}

void ImageLoader::FreeTexture(const Texture& texture)
{
    FreeSurfaces(*texture.GetSurfaces());
}

void ImageLoader::FreeSurfaces(const Surfaces& surfaces)
{
    surfaceManager.Release(surfaces);
}

int ImageLoader::NextTextureSize(int remaining) const
{
    if (remaining <= 8)
        return 8;
    int edge = 16;
    while (edge < remaining && edge < 4096)
        edge *= 2;
    // The limit never goes below the minimum edge of 8: a smaller (or zero) limit would make parts that are not
    // powers of two, or no progress at all.
    return std::max(std::min(edge, settings.GetMaxTextureSize()), 8);
}

SdlSurface ImageLoader::CreateBlankImage(int width, int height) const
{
    SdlSurface image(SDL_CreateRGBSurface(0, width, height, TextureBitsPerPixel, maskData.GetRedMask(),
                                          maskData.GetGreenMask(), maskData.GetBlueMask(), maskData.GetAlphaMask()));
    if (!image)
        throw std::runtime_error(std::string("Can't create image: ") + SDL_GetError());
    return image;
}

std::shared_ptr<Surfaces> ImageLoader::LoadImage(const std::string& fileName)
{
    if (!Common::FileSystem::File::Exists(fileName))
        Common::Helper::Throw("Datei " + fileName + " ist nicht vorhanden");
    Common::MyLog::Info("Datei " + fileName + " wird geladen");

    // A zero character inside the name would silently cut it short for the C library and open another file.
    // The message shows the zero as \0, since the message text itself ends at a zero character.
    if (fileName.find('\0') != std::string::npos)
    {
        std::string printable;
        for (const char character : fileName)
            printable += character == '\0' ? std::string("\\0") : std::string(1, character);
        Common::Helper::Throw("Error loading image " + printable + " - Dateiname enthält Sonderzeichen.");
    }

    // A vector image has no pixel size to check before the library draws it at whatever size it declares, and the
    // library's drawing of broken ones loses memory: only pixel images are loaded.
    if (IsVectorImage(fileName))
        Common::Helper::Throw("Error loading image " + fileName + " - SVG-Bilder werden nicht unterstützt.");
    // The size its header declares is checked before any pixel is decoded; formats whose header is not read
    // here are checked once decoded.
    if (const std::optional<ImageHeader::Size> declared = ImageHeader::ReadSize(fileName))
        CheckImageSize(fileName, *declared);
    SdlSurface image(IMG_Load(fileName.c_str()));
    if (!image)
        Common::Helper::Throw("Error loading image " + fileName + "/nSDL Error: " + SDL_GetError());
    CheckImageSize(fileName, {static_cast<std::uint64_t>(image.Get()->w), static_cast<std::uint64_t>(image.Get()->h)});

    // Without blending the blits of SplitImage copy the alpha channel instead of blending with it.
    SDL_SetSurfaceBlendMode(image.Get(), SDL_BLENDMODE_NONE);
    return ConvertToSurfaces(*image.Get(), fileName);
}

std::shared_ptr<Surfaces> ImageLoader::ConvertToSurfaces(SDL_Surface& image, const std::string& id)
{
    Common::MyLog::Info("ConvertToSurfaces " + id + " START");
    std::vector<Surface> parts = SplitImage(image, id);
    const std::size_t count = parts.size();
    auto surfaces = std::make_shared<Surfaces>(
        id, std::move(parts), Common::Point2D(static_cast<float>(image.w), static_cast<float>(image.h)));
    Common::MyLog::Info("ConvertToSurfaces " + id + " END, returning " + std::to_string(count) + " Surfaces");
    return surfaces;
}

std::vector<Surface> ImageLoader::SplitImage(SDL_Surface& image, const std::string& id)
{
    std::vector<Surface> parts;
    const int width = image.w;
    const int height = image.h;
    try
    {
        // Column by column from the left, top to bottom within a column; each part holds its piece in its top-left
        // corner and transparent pixels elsewhere.
        for (int x = 0; x < width;)
        {
            const int deltaX = NextTextureSize(width - x);
            Common::MyLog::Info("deltaX = " + std::to_string(deltaX));
            const int partWidth = std::min(deltaX, width - x);
            for (int y = 0; y < height;)
            {
                const int deltaY = NextTextureSize(height - y);
                Common::MyLog::Info("deltaY = " + std::to_string(deltaY));
                const int partHeight = std::min(deltaY, height - y);

                SdlSurface piece = CreateBlankImage(deltaX, deltaY);
                SDL_Rect source{x, y, partWidth, partHeight};
                SDL_Rect target{0, 0, partWidth, partHeight};
                if (SDL_BlitSurface(&image, &source, piece.Get(), &target) < 0)
                    throw std::runtime_error(std::string("Blit fehlgeschlagen: ") + SDL_GetError());

                const Common::Point2D position(static_cast<float>(x), static_cast<float>(y));
                parts.emplace_back(CreateGlTexture(std::move(piece)),
                                   Common::Point2D(static_cast<float>(deltaX), static_cast<float>(deltaY)), position);
                Common::MyLog::Info("New Surface-Part - Position links: " + position.ToString() + id);
                Common::MyLog::Info("                   rechts       X: " + std::to_string(x + partWidth) +
                                    " Y: " + std::to_string(y + partHeight));
                y += deltaY;
            }
            x += deltaX;
        }
    }
    catch (const std::exception& error)
    {
        // The parts made so far are kept; with none, Surfaces refuses the result.
        Common::MyLog::Info(std::string("ohje: ") + error.what() + " /n SDL: " + SDL_GetError());
    }
    Common::MyLog::Info("End Splitt Surface 1");
    Common::MyLog::Info("End Splitt Surface 2");
    return parts;
}

GlTexture ImageLoader::CreateGlTexture(SdlSurface image)
{
    GLuint name = 0;
    glGenTextures(1, &name);
    GlTexture texture(name);
    glBindTexture(GL_TEXTURE_2D, name);

    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    // Rows are uploaded top row first, so texture row 0 is the image's top row.
    SDL_Surface* pixels = image.Get();
    glPixelStorei(GL_UNPACK_ROW_LENGTH, pixels->pitch / pixels->format->BytesPerPixel);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, pixels->w, pixels->h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels->pixels);
    // Later uploads (and other code) expect the default row length again.
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);

    image.Reset();
    return texture;
}

std::vector<std::shared_ptr<Texture>> ImageLoader::CreateTextTextures(const std::string& text,
                                                                      const std::shared_ptr<Font>& font)
{
    const std::vector<std::shared_ptr<Surfaces>> characters = CreateTextSurfaces(text, font);
    std::vector<std::shared_ptr<Texture>> textures;
    textures.reserve(characters.size());
    for (const auto& character : characters)
        textures.push_back(std::make_shared<Texture>(character));
    return textures;
}

std::vector<std::shared_ptr<Surfaces>> ImageLoader::CreateTextSurfaces(const std::string& text,
                                                                       const std::shared_ptr<Font>& font)
{
    return GlyphRenderer(*this, surfaceManager).CreateTextSurfaces(text, font);
}

std::shared_ptr<Surfaces> ImageLoader::CreateTextSurface(const std::string& text, Common::Color)
{
    return GlyphRenderer(*this, surfaceManager).CreateTextSurface(text);
}

} // namespace Quarnel::GameEngine2D::Video
