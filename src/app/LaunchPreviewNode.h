#pragma once

#include "GameEngine2D/Scene/EmptyNode.h"

#include <string>

namespace Zandrel
{

class LaunchDrag;

// Draws a launch under way: the drag from the new planet's place to the pointer (its velocity) and the predicted
// path of the planet, both as lines in the 3D scene. Draws nothing while no launch is being dragged.
class LaunchPreviewNode final : public Quarnel::GameEngine2D::Scene::EmptyNode
{
public:
    // `drag` outlives the node.
    LaunchPreviewNode(std::string nodeName, const LaunchDrag& drag);

    void UpdateNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine) override;

private:
    const LaunchDrag& launch;
};

} // namespace Zandrel
