#include "GameEngine2D/Scene/CustomAnimationNode.h"

#include "GameEngine2D/Animation/CustomAnimation.h"
#include "GameEngine2D/Scene/Scene.h"

#include <stdexcept>

namespace Quarnel::GameEngine2D::Scene
{

CustomAnimationNode::CustomAnimationNode(std::string nodeName, Common::Point3D nodePosition,
                                         std::optional<Common::Point3D> nodeSize) :
    EmptyNode(std::move(nodeName), nodePosition, nodeSize)
{
}

CustomAnimationNode::~CustomAnimationNode()
{
    StopAnimation();
}

void CustomAnimationNode::DisposeNode(IGameEngine&)
{
    StopAnimation();
    scene = nullptr;
}

void CustomAnimationNode::UpdateNode(IGameEngine&)
{
    if (animation)
        return;
    if (scene == nullptr)
        throw std::runtime_error("scene is null");
    // The node owns the animation, and the animation's registration goes with it.
    animation =
        std::make_unique<Animation::CustomAnimation>([this](std::uint32_t elapsed) { OnAnimationStep(elapsed); });
    animation->Start(scene->GetAnimationManager());
}

void CustomAnimationNode::OnAnimationStep(std::uint32_t elapsed)
{
    Animate(elapsed);
}

void CustomAnimationNode::StopAnimation()
{
    if (animation)
        animation->Stop();
}

} // namespace Quarnel::GameEngine2D::Scene
