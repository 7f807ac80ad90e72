#include "GameEngine2D/Video/MeshFileReader.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>

namespace Quarnel::GameEngine2D::Video
{

namespace
{

// A corner part: an OBJ number counting from 1, turned into a list index counting from 0. Relative (negative)
// numbers are not supported.
int ReadCornerNumber(std::string_view part)
{
    int number = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), number);
    if (error != std::errc() || end != part.data() + part.size())
        throw std::runtime_error("Index erwartet: \"" + std::string(part) + "\"");
    if (number < 1)
        throw std::runtime_error("Index muss ab 1 zählen: \"" + std::string(part) + "\"");
    return number - 1;
}

Data::Index ReadCorner(std::string_view corner)
{
    Data::Index index;
    int* const targets[] = {&index.vertex, &index.texture, &index.normal};
    std::size_t part = 0;
    std::size_t start = 0;
    while (true)
    {
        const std::size_t slash = corner.find('/', start);
        const std::string_view text = corner.substr(start, slash == std::string_view::npos ? slash : slash - start);
        if (part >= std::size(targets))
            throw std::runtime_error("zu viele Teile im Eckpunkt \"" + std::string(corner) + "\"");
        if (!text.empty())
            *targets[part] = ReadCornerNumber(text);
        ++part;
        if (slash == std::string_view::npos)
            break;
        start = slash + 1;
    }
    if (index.vertex < 0)
        throw std::runtime_error("Eckpunkt ohne Position: \"" + std::string(corner) + "\"");
    return index;
}

} // namespace

std::vector<std::string_view> MeshFileReader::SplitWords(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t position = 0;
    while (position < text.size())
    {
        const std::size_t start = text.find_first_not_of(" \t", position);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
        words.push_back(text.substr(start, end - start));
        position = end;
    }
    return words;
}

float MeshFileReader::ReadNumber(std::string_view text)
{
    // from_chars refuses a leading "+", which OBJ writers do emit.
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    float value = 0.0f;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        throw std::runtime_error("Zahl erwartet: \"" + std::string(text) + "\"");
    return value;
}

Data::VertexRecord MeshFileReader::ReadTriple(std::string_view text)
{
    const std::vector<std::string_view> words = SplitWords(text);
    if (words.size() < 3)
        throw std::runtime_error("3 Zahlen erwartet: \"" + std::string(text) + "\"");
    return {ReadNumber(words[0]), ReadNumber(words[1]), ReadNumber(words[2])};
}

int MeshFileReader::ToChannel(float fraction) noexcept
{
    // Truncated towards zero like the file's 0..1 values always are; values outside (and NaN) are kept inside the
    // channel range, because converting an out-of-range float to int is undefined.
    const float scaled = fraction * 255.0f;
    if (!(scaled > 0.0f))
        return 0;
    if (scaled >= 255.0f)
        return 255;
    return static_cast<int>(scaled);
}

Common::Color MeshFileReader::ReadColor(std::string_view text)
{
    const Data::VertexRecord rgb = ReadTriple(text);
    return Common::Color(ToChannel(rgb.x), ToChannel(rgb.y), ToChannel(rgb.z), 255);
}

std::vector<Data::Face> MeshFileReader::ReadFace(std::string_view text)
{
    std::vector<Data::Face> triangles;
    try
    {
        std::vector<Data::Index> corners;
        for (const std::string_view word : SplitWords(text))
            corners.push_back(ReadCorner(word));
        for (std::size_t corner = 2; corner < corners.size(); ++corner)
            triangles.push_back(Data::Face{{corners[0], corners[corner - 1], corners[corner]}});
    }
    catch (const std::exception& error)
    {
        throw std::runtime_error("Fehler in text: \n" + std::string(text) + "\n" + error.what());
    }
    return triangles;
}

std::string MeshFileReader::FolderOf(std::string_view path)
{
    std::string folder(
        path.substr(0, path.find_last_of("/\\") == std::string_view::npos ? 0 : path.find_last_of("/\\") + 1));
    for (char& character : folder)
        if (character == '\\')
            character = '/';
    return folder;
}

std::string MeshFileReader::FileNameOf(std::string_view path)
{
    const std::size_t separator = path.find_last_of("/\\");
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

} // namespace Quarnel::GameEngine2D::Video
