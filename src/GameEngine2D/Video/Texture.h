#pragma once

#include "Common/Color.h"
#include "Common/DataTypes/WInteger.h"
#include "Common/Point2D.h"
#include "GameEngine2D/Video/Forward.h"

#include <memory>
#include <optional>

namespace Quarnel::GameEngine2D::Video
{

// What picture nodes and materials hold: an image (its texture parts) with a colour and an optional transparency
// (0..255) that is pushed while the texture is drawn.
class Texture final
{
public:
    // A null image: std::invalid_argument "surfaces is null".
    explicit Texture(std::shared_ptr<Surfaces> textureSurfaces);
    virtual ~Texture() = default;
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    [[nodiscard]] virtual std::shared_ptr<Surfaces> GetSurfaces() const { return surfaces; }
    [[nodiscard]] virtual Common::Point2D GetSize() const;
    [[nodiscard]] virtual Common::Color GetColor() const { return color; }
    virtual void SetColor(Common::Color newColor) { color = newColor; }
    [[nodiscard]] virtual std::optional<Common::DataTypes::WInteger> GetAlpha() const { return alpha; }
    virtual void SetAlpha(std::optional<Common::DataTypes::WInteger> newAlpha) { alpha = newAlpha; }

private:
    std::shared_ptr<Surfaces> surfaces;
    Common::Color color{0, 0, 0, 255};
    std::optional<Common::DataTypes::WInteger> alpha;
};

} // namespace Quarnel::GameEngine2D::Video
