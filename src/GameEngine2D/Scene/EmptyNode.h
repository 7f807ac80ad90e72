#pragma once

#include "GameEngine2D/Scene/Node.h"

namespace Quarnel::GameEngine2D::Scene
{

// A node that draws nothing: the root of every scene, a grouping node, and the base of composite nodes.
class EmptyNode : public Node
{
public:
    EmptyNode(std::string nodeName, Common::Point3D nodePosition, std::optional<Common::Point3D> nodeSize);

    void DisposeNode(IGameEngine& gameEngine) override;
    void UpdateNode(IGameEngine& gameEngine) override;
};

} // namespace Quarnel::GameEngine2D::Scene
