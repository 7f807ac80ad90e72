#include "GameEngine2D/Scene/ColorNode.h"

#include "GameEngine2D/Video/Engine.h"

namespace Quarnel::GameEngine2D::Scene
{

ColorNode::ColorNode(std::string nodeName, const Common::Rect& rect, Common::Color rectColor) :
    Node(std::move(nodeName), rect.Position(), std::nullopt),
    color(rectColor)
{
    SetSize(rect.Size());
}

void ColorNode::DisposeNode(IGameEngine&) {}

void ColorNode::UpdateNode(IGameEngine& gameEngine)
{
    const Common::Point3D extent = GetSize().value_or(Common::Point3D());
    gameEngine.GetVideoEngine().DrawRectangle(Common::Point2D(extent.X(), extent.Y()), color);
}

Common::Color ColorNode::GetColor() const
{
    return color;
}

void ColorNode::SetColor(Common::Color value)
{
    color = value;
}

} // namespace Quarnel::GameEngine2D::Scene
