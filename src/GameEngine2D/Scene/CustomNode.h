#pragma once

#include "GameEngine2D/Scene/EmptyNode.h"

namespace Quarnel::GameEngine2D::Scene
{

// A named base for application nodes that override the node operations themselves; the engine never makes one.
class CustomNode : public EmptyNode
{
public:
    using EmptyNode::EmptyNode;
};

} // namespace Quarnel::GameEngine2D::Scene
