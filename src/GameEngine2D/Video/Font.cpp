#include "GameEngine2D/Video/Font.h"

#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Video
{

namespace
{

std::string CheckedFile(std::string trueTypeFile)
{
    if (trueTypeFile.empty())
        throw std::invalid_argument("ttfFile nicht gesetzt");
    return trueTypeFile;
}

} // namespace

// The file is checked before the identifier, so the file's check runs in the first member initialiser.
Font::Font(std::string id, std::string trueTypeFile, int pointSize, Common::Color textColor) :
    ttfFile(CheckedFile(std::move(trueTypeFile))),
    size(pointSize),
    color(textColor),
    fontId(std::move(id))
{
    if (fontId.empty())
        throw std::invalid_argument("fontId nicht gesetzt");
    if (size <= 0)
        throw std::invalid_argument("size <= 0");
}

} // namespace Quarnel::GameEngine2D::Video
