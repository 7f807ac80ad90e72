#include "GameEngine2D/Animation/AnimationConnector.h"

#include "GameEngine2D/Animation/Animation.h"

#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Animation
{

AnimationConnector::AnimationConnector(std::shared_ptr<Animation> started, Common::EventAddHandler<>& trigger) :
    animation(std::move(started))
{
    if (!animation)
        throw std::invalid_argument("animation is null");
    trigger.Add(Common::Handler<>([self = this, alive = std::weak_ptr<const int>(lifetime)] {
        if (!alive.expired())
            self->OnTrigger();
    }));
}

void AnimationConnector::SetManager(AnimationManager& manager)
{
    animationManager = ManagerLink(manager);
}

void AnimationConnector::OnTrigger()
{
    AnimationManager* manager = animationManager.Get();
    if (manager == nullptr)
        throw std::runtime_error("animationManager is null, AnimationConnector kann nicht gestartet werden.");
    animation->Start(*manager);
}

} // namespace Quarnel::GameEngine2D::Animation
