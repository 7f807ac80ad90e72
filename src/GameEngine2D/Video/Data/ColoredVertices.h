#pragma once

#include "Common/Color.h"
#include "GameEngine2D/Video/Data/SingleVertices.h"

namespace Quarnel::GameEngine2D::Video::Data
{

// Shape points drawn in one colour for the whole list, set before the first point.
class ColoredVertices final : public SingleVertices
{
public:
    explicit ColoredVertices(std::size_t count, Common::Color listColor = Common::Color(0, 0, 0, 255)) :
        SingleVertices(count),
        color(listColor)
    {
    }

    void Draw(Engine& engine) override;
    [[nodiscard]] Common::Color GetColor() const noexcept { return color; }
    void SetColor(Common::Color newColor) noexcept { color = newColor; }

private:
    Common::Color color;
};

} // namespace Quarnel::GameEngine2D::Video::Data
