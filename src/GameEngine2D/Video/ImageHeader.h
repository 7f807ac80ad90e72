#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace Quarnel::GameEngine2D::Video
{

// The pixel size an image file declares in its header, read without decoding any pixels, so that an image too
// large to hold can be refused before the image library allocates it. Knows PNG, JPEG, GIF and BMP; other
// formats, and files too short or too broken to tell, give no size (the caller checks the decoded image then).
class ImageHeader final
{
public:
    struct Size
    {
        std::uint64_t width = 0;
        std::uint64_t height = 0;
    };

    // The largest image the program loads: an edge of at most 16 384 pixels and at most 64 million pixels, about
    // 256 MB once decoded to 32 bits per pixel.
    static constexpr std::uint64_t MaxEdge = 16384;
    static constexpr std::uint64_t MaxPixels = 64'000'000;

    ImageHeader() = delete;

    [[nodiscard]] static std::optional<Size> ReadSize(const std::string& fileName);
    [[nodiscard]] static bool IsAllowed(Size size) noexcept;
};

} // namespace Quarnel::GameEngine2D::Video
