#include "GameEngine2D/Animation/AnimationMove.h"

#include <utility>

namespace Quarnel::GameEngine2D::Animation
{

AnimationMove::AnimationMove(std::shared_ptr<Common::IMoveable> moved, Common::Point3D unitsPerSecond) :
    Animation(true),
    node(std::move(moved)),
    speed(unitsPerSecond)
{
}

void AnimationMove::OnStart() {}

void AnimationMove::Animate(std::uint32_t value)
{
    // Without a node there is nothing to move; the animation simply idles until it gets one.
    if (!node)
        return;
    const float seconds = static_cast<float>(value) / 1000.0f;
    node->SetPosition(node->GetPosition() + speed * seconds);
}

void AnimationMove::OnStop() {}

std::shared_ptr<Common::IMoveable> AnimationMove::GetNode() const
{
    return node;
}

void AnimationMove::SetNode(std::shared_ptr<Common::IMoveable> moved)
{
    node = std::move(moved);
}

Common::Point3D AnimationMove::GetSpeed() const
{
    return speed;
}

void AnimationMove::SetSpeed(Common::Point3D unitsPerSecond)
{
    speed = unitsPerSecond;
}

} // namespace Quarnel::GameEngine2D::Animation
