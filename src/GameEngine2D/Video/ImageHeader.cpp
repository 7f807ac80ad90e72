#include "GameEngine2D/Video/ImageHeader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace Quarnel::GameEngine2D::Video
{

namespace
{

using Bytes = std::array<unsigned char, 32>;

std::uint64_t BigEndian(const unsigned char* bytes, std::size_t count)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

std::uint64_t LittleEndian(const unsigned char* bytes, std::size_t count)
{
    std::uint64_t value = 0;
    for (std::size_t i = count; i > 0; --i)
        value = (value << 8) | bytes[i - 1];
    return value;
}

// PNG: the signature, then the IHDR chunk (length, "IHDR", width and height as 32-bit big-endian numbers).
std::optional<ImageHeader::Size> PngSize(const Bytes& head, std::size_t length)
{
    constexpr unsigned char Signature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (length < 24 || !std::equal(std::begin(Signature), std::end(Signature), head.begin()) || head[12] != 'I' ||
        head[13] != 'H' || head[14] != 'D' || head[15] != 'R')
        return std::nullopt;
    return ImageHeader::Size{BigEndian(&head[16], 4), BigEndian(&head[20], 4)};
}

// GIF: "GIF87a" or "GIF89a", then the logical screen's width and height as 16-bit little-endian numbers.
std::optional<ImageHeader::Size> GifSize(const Bytes& head, std::size_t length)
{
    if (length < 10 || head[0] != 'G' || head[1] != 'I' || head[2] != 'F')
        return std::nullopt;
    return ImageHeader::Size{LittleEndian(&head[6], 2), LittleEndian(&head[8], 2)};
}

// BMP: "BM", then at offset 14 the size of the information header: 12 for the oldest form with 16-bit edges,
// otherwise 32-bit signed edges (a negative height means rows stored top down).
std::optional<ImageHeader::Size> BmpSize(const Bytes& head, std::size_t length)
{
    if (length < 26 || head[0] != 'B' || head[1] != 'M')
        return std::nullopt;
    if (LittleEndian(&head[14], 4) == 12)
        return ImageHeader::Size{LittleEndian(&head[18], 2), LittleEndian(&head[20], 2)};
    const auto magnitude = [](std::uint64_t bits) {
        const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
        return value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(static_cast<std::int64_t>(value))
                         : static_cast<std::uint64_t>(value);
    };
    return ImageHeader::Size{magnitude(LittleEndian(&head[18], 4)), magnitude(LittleEndian(&head[22], 4))};
}

bool IsStartOfFrame(int marker)
{
    // SOF0 to SOF15 (0xC0 to 0xCF) without DHT (0xC4), JPG (0xC8) and DAC (0xCC), which share the range.
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// JPEG: segments after the start marker, each a marker and (most of them) a 16-bit length; the start-of-frame
// segment holds the precision, then height and width as 16-bit big-endian numbers. Walked segment by segment,
// skipping their contents, until the frame or the start of the compressed data.
std::optional<ImageHeader::Size> JpegSize(std::ifstream& stream, const Bytes& head, std::size_t length)
{
    if (length < 4 || head[0] != 0xFF || head[1] != 0xD8)
        return std::nullopt;
    stream.clear();
    stream.seekg(2);
    while (stream)
    {
        int byte = stream.get();
        if (byte != 0xFF)
            return std::nullopt;
        // Any number of fill bytes may stand before a marker.
        while (byte == 0xFF)
            byte = stream.get();
        if (byte == EOF)
            return std::nullopt;
        const int marker = byte;
        // Markers without a length: TEM and the restart markers; the end of the image or the compressed data
        // before any frame mean there is no size to tell.
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;
        if (marker == 0xD9 || marker == 0xDA)
            return std::nullopt;
        unsigned char segment[7] = {};
        if (!stream.read(reinterpret_cast<char*>(segment), 2))
            return std::nullopt;
        const std::uint64_t segmentLength = BigEndian(segment, 2);
        if (segmentLength < 2)
            return std::nullopt;
        if (IsStartOfFrame(marker))
        {
            if (segmentLength < 7 || !stream.read(reinterpret_cast<char*>(segment + 2), 5))
                return std::nullopt;
            return ImageHeader::Size{BigEndian(segment + 5, 2), BigEndian(segment + 3, 2)};
        }
        stream.seekg(static_cast<std::streamoff>(segmentLength - 2), std::ios::cur);
    }
    return std::nullopt;
}

} // namespace

std::optional<ImageHeader::Size> ImageHeader::ReadSize(const std::string& fileName)
{
    std::ifstream stream(fileName, std::ios::binary);
    if (!stream)
        return std::nullopt;
    Bytes head{};
    stream.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    const auto length = static_cast<std::size_t>(stream.gcount());
    if (auto size = PngSize(head, length))
        return size;
    if (auto size = GifSize(head, length))
        return size;
    if (auto size = BmpSize(head, length))
        return size;
    return JpegSize(stream, head, length);
}

bool ImageHeader::IsAllowed(Size size) noexcept
{
    // Each edge is checked first, so the product of two allowed edges cannot overflow.
    return size.width <= MaxEdge && size.height <= MaxEdge && size.width * size.height <= MaxPixels;
}

} // namespace Quarnel::GameEngine2D::Video
