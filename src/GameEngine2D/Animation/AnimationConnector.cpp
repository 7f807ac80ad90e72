#include "GameEngine2D/Animation/AnimationConnector.h"

#include "GameEngine2D/Animation/Animation.h"
#include "GameEngine2D/Animation/AnimationManager.h"

#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Animation
{

AnimationConnector::AnimationConnector(std::shared_ptr<Animation> started, Common::EventAddHandler<>& trigger) :
    animation(std::move(started))
{
    if (!animation)
        throw std::invalid_argument("animation is null");
    triggered = trigger.Subscribe([this] { OnTrigger(); });
}

void AnimationConnector::SetManager(AnimationManager& manager)
{
    animationManager = &manager;
    managerGone = manager.OnDestroyed().Subscribe([this] { animationManager = nullptr; });
}

void AnimationConnector::OnTrigger()
{
    if (animationManager == nullptr)
        throw std::runtime_error("animationManager is null, AnimationConnector kann nicht gestartet werden.");
    animation->Start(*animationManager);
}

} // namespace Quarnel::GameEngine2D::Animation
