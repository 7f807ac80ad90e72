#include "GameEngine2D/Scene/EmptyNode.h"

#include <utility>

namespace Quarnel::GameEngine2D::Scene
{

EmptyNode::EmptyNode(std::string nodeName, Common::Point3D nodePosition, std::optional<Common::Point3D> nodeSize) :
    Node(std::move(nodeName), nodePosition, nodeSize)
{
}

void EmptyNode::DisposeNode(IGameEngine& /*gameEngine*/) {}

void EmptyNode::UpdateNode(IGameEngine& /*gameEngine*/) {}

} // namespace Quarnel::GameEngine2D::Scene
