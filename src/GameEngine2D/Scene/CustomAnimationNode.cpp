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

// A node dropped without being disposed must not leave a running animation that calls into freed memory.
CustomAnimationNode::~CustomAnimationNode()
{
    StopAnimation();
}

void CustomAnimationNode::DisposeNode(GameEngine&)
{
    StopAnimation();
    scene = nullptr;
}

void CustomAnimationNode::UpdateNode(GameEngine&)
{
    if (animation)
        return;
    if (scene == nullptr)
        throw std::runtime_error("scene is null");
    // The step reaches the node through a weak reference, so an animation outliving its node calls nothing.
    std::weak_ptr<Node> self = weak_from_this();
    animation = std::make_shared<Animation::CustomAnimation>([self](std::uint32_t elapsed) {
        if (const auto node = std::static_pointer_cast<CustomAnimationNode>(self.lock()))
            node->OnAnimationStep(elapsed);
    });
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
