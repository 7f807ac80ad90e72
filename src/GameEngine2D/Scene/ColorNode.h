#pragma once

#include "Common/Color.h"
#include "Common/Rect.h"
#include "GameEngine2D/Scene/Node.h"

namespace Quarnel::GameEngine2D::Scene
{

// A filled, always opaque rectangle whose top-left corner is the node's position and whose extent is its size (times
// its scale).
class ColorNode final : public Node
{
public:
    ColorNode(std::string nodeName, const Common::Rect& rect, Common::Color rectColor);

    void DisposeNode(IGameEngine& gameEngine) override;
    void UpdateNode(IGameEngine& gameEngine) override;

    [[nodiscard]] virtual Common::Color GetColor() const;
    virtual void SetColor(Common::Color value);

private:
    Common::Color color;
};

} // namespace Quarnel::GameEngine2D::Scene
