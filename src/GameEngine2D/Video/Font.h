#pragma once

#include "Common/Color.h"

#include <string>

namespace Quarnel::GameEngine2D::Video
{

// A plain description of a text style: a TrueType file, a point size, a colour and the identifier the font is
// registered under. The TrueType file itself is opened only while missing characters are rendered.
class Font final
{
public:
    // Checked in this order: an empty file, an empty identifier, a size of 0 or less give std::invalid_argument
    // "ttfFile nicht gesetzt", "fontId nicht gesetzt" and "size <= 0".
    Font(std::string id, std::string trueTypeFile, int pointSize, Common::Color textColor);
    virtual ~Font() = default;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Path of the TrueType file, relative to the working directory.
    [[nodiscard]] virtual const std::string& GetTtfFile() const { return ttfFile; }
    // Point size handed to SDL_ttf.
    [[nodiscard]] virtual int GetSize() const { return size; }
    // Colour of the rendered characters; its alpha is not used.
    [[nodiscard]] virtual Common::Color GetColor() const { return color; }
    [[nodiscard]] virtual const std::string& GetFontId() const { return fontId; }

private:
    std::string ttfFile;
    int size;
    Common::Color color;
    std::string fontId;
};

} // namespace Quarnel::GameEngine2D::Video
