#pragma once

#include "Common/Color.h"
#include "GameEngine2D/Video/Forward.h"

#include <map>
#include <memory>
#include <string>

namespace Quarnel::GameEngine2D::Video
{

// Creates fonts under identifiers derived from their description and finds them again. Fonts live as long as
// their manager; nothing removes one.
class FontManager final
{
public:
    FontManager() = default;
    virtual ~FontManager();
    FontManager(const FontManager&) = delete;
    FontManager& operator=(const FontManager&) = delete;

    // Registers a new font and returns its identifier: file + ";" + size + ";" + "r_R;g_G;b_B", e.g.
    // "daten//font//vera//Vera.ttf;12;r_255;g_255;b_255". A font of that identifier already present:
    // std::runtime_error "Font <id> kann nicht erstellt werden - ist bereits vorhanden". The checks of Font apply.
    virtual std::string Create(const std::string& ttfFile, int size, Common::Color color);
    // An unknown identifier: std::runtime_error "Font <id> ist nicht vorhanden.".
    [[nodiscard]] virtual std::shared_ptr<Font> Get(const std::string& fontId) const;

private:
    std::map<std::string, std::shared_ptr<Font>, std::less<>> fonts;
};

} // namespace Quarnel::GameEngine2D::Video
