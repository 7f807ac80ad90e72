#pragma once

#include "Common/Color.h"
#include "GameEngine2D/Video/Data/Vertex.h"

namespace Quarnel::GameEngine2D::Video::Data
{

// A shape point with a colour of its own, set just before the point is emitted.
class ColoredVertex final : public Vertex
{
public:
    ColoredVertex(Common::Point3D vertexPosition, Common::Color vertexColor) noexcept :
        Vertex(vertexPosition),
        color(vertexColor)
    {
    }

    void Draw(Engine& engine) override;
    [[nodiscard]] virtual Common::Color GetColor() const { return color; }
    virtual void SetColor(Common::Color newColor) { color = newColor; }

private:
    Common::Color color{0, 0, 0, 255};
};

} // namespace Quarnel::GameEngine2D::Video::Data
