#include "GameEngine2D/Helper/NodeFadeTransparent.h"

#include "Common/Handler.h"
#include "Common/Helper.h"
#include "GameEngine2D/Scene/Node.h"
#include "GameEngine2D/Scene/Scene.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Quarnel::GameEngine2D::Helper
{

NodeFadeTransparent::NodeFadeTransparent(Scene::Scene& ownerScene, std::shared_ptr<Scene::Node> fadedNode,
                                         int alphaTarget, float stepGrowth, float largestStep) :
    // The setter and getter reach this object's fields, which exist by the time the first step runs.
    ValueManipulator(
        true, [this](float value) { WriteAlpha(value); }, [this] { return current; }, static_cast<float>(alphaTarget),
        stepGrowth, largestStep),
    node(Common::Helper::CheckNull(fadedNode, "node")),
    current(static_cast<float>(node->GetAlpha())),
    targetAlpha(alphaTarget),
    scene(&ownerScene)
{
    Stopped().Add(Common::Handler<>::Bind<&NodeFadeTransparent::FireArrived>(this));
}

NodeFadeTransparent::~NodeFadeTransparent() = default;

void NodeFadeTransparent::WriteAlpha(float value)
{
    current = value;
    // Anything at or beyond 0 and 255 means hidden or opaque alike; bounding first keeps the conversion defined.
    const float bounded = std::isnan(value) ? 0.0f : std::clamp(value, -1.0f, 256.0f);
    node->SetAlpha(static_cast<int>(bounded));
}

void NodeFadeTransparent::FireArrived()
{
    arrived.Call(*node);
}

int NodeFadeTransparent::GetTargetAlpha() const
{
    return targetAlpha;
}

void NodeFadeTransparent::SetTargetAlpha(int alpha)
{
    targetAlpha = alpha;
    SetTarget(static_cast<float>(alpha));
    Reset();
    Start(scene->GetAnimationManager());
}

Common::EventAddHandler<Scene::Node&>& NodeFadeTransparent::Arrived()
{
    return arrived.GetAddHandler();
}

std::shared_ptr<Scene::Node> NodeFadeTransparent::GetNode() const
{
    return node;
}

void NodeFadeTransparent::SetNode(std::shared_ptr<Scene::Node> fadedNode)
{
    Common::Helper::CheckNull(fadedNode, "node");
    node = std::move(fadedNode);
}

} // namespace Quarnel::GameEngine2D::Helper
