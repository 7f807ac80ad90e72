#include "GameEngine2D/Video/FontManager.h"

#include "GameEngine2D/Video/Font.h"

#include <stdexcept>

namespace Quarnel::GameEngine2D::Video
{

FontManager::~FontManager() = default;

std::string FontManager::Create(const std::string& ttfFile, int size, Common::Color color)
{
    std::string fontId = ttfFile + ";" + std::to_string(size) + ";" + color.ToString();
    if (fonts.contains(fontId))
        throw std::runtime_error("Font " + fontId + " kann nicht erstellt werden - ist bereits vorhanden");
    auto font = std::make_shared<Font>(fontId, ttfFile, size, color);
    fonts.emplace(fontId, std::move(font));
    return fontId;
}

std::shared_ptr<Font> FontManager::Get(const std::string& fontId) const
{
    const auto found = fonts.find(fontId);
    if (found == fonts.end())
        throw std::runtime_error("Font " + fontId + " ist nicht vorhanden.");
    return found->second;
}

} // namespace Quarnel::GameEngine2D::Video
