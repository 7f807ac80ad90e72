#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace Quarnel::VideoTests
{

// A fresh folder under the system's temporary folder, removed with everything in it at the end of the test.
class TempFolder
{
public:
    TempFolder()
    {
        static std::atomic<int> counter{0};
        path = std::filesystem::temp_directory_path() /
               ("zandrel_video_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }

    // The path of a file in the folder, as the program would name it.
    [[nodiscard]] std::string File(const std::string& name) const { return (path / name).string(); }

    // Writes text (bytes as given) into a file of the folder and returns its path.
    std::string Write(const std::string& name, const std::string& text) const
    {
        const std::string fileName = File(name);
        std::filesystem::create_directories(std::filesystem::path(fileName).parent_path());
        std::ofstream out(fileName, std::ios::binary);
        out << text;
        return fileName;
    }

private:
    std::filesystem::path path;
};

// The colour of pixel (x, y) of the test images: every pixel differs from its neighbours in every channel, so a part
// placed one pixel off, or a seam, changes what is read back.
struct PatternPixel
{
    std::uint8_t r, g, b, a;
};

inline PatternPixel Pattern(int x, int y, bool withAlpha)
{
    return {static_cast<std::uint8_t>(x * 3 + y), static_cast<std::uint8_t>(y * 5 + x * 2),
            static_cast<std::uint8_t>(x * 7 + y * 11),
            static_cast<std::uint8_t>(withAlpha ? 100 + (x + y) % 100 : 255)};
}

// Writes a width x height image of the pattern: a PNG with alpha, or a 24-bit BMP without.
inline std::string WritePatternImage(const TempFolder& folder, const std::string& name, int width, int height,
                                     bool png = true)
{
    SDL_Surface* image =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, png ? SDL_PIXELFORMAT_RGBA32 : SDL_PIXELFORMAT_RGB24);
    if (image == nullptr)
        throw std::runtime_error(SDL_GetError());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const PatternPixel pixel = Pattern(x, y, png);
            auto* row = static_cast<std::uint8_t*>(image->pixels) + y * image->pitch;
            const int bytes = image->format->BytesPerPixel;
            row[x * bytes + 0] = pixel.r;
            row[x * bytes + 1] = pixel.g;
            row[x * bytes + 2] = pixel.b;
            if (bytes == 4)
                row[x * bytes + 3] = pixel.a;
        }
    const std::string fileName = folder.File(name);
    std::filesystem::create_directories(std::filesystem::path(fileName).parent_path());
    const int result = png ? IMG_SavePNG(image, fileName.c_str()) : SDL_SaveBMP(image, fileName.c_str());
    SDL_FreeSurface(image);
    if (result != 0)
        throw std::runtime_error(SDL_GetError());
    return fileName;
}

} // namespace Quarnel::VideoTests
