#include "GameEngine2D/Animation/TimedAnimationConnector.h"

#include "GameEngine2D/Animation/TimedAnimationStarter.h"

#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Animation
{

TimedAnimationConnector::TimedAnimationConnector(std::shared_ptr<TimedAnimationStarter> entry,
                                                 Common::EventAddHandler<>& trigger) :
    Animation(false),
    starter(std::move(entry))
{
    if (!starter)
        throw std::invalid_argument("starter is null");
    triggered = trigger.Subscribe([this] { OnTrigger(); });
}

void TimedAnimationConnector::OnStart()
{
    starter->Reset();
}

void TimedAnimationConnector::Animate(std::uint32_t value)
{
    // The manager it runs on is the one it was handed, unless SetManager changed it since.
    AnimationManager* runsOn = animationManager;
    if (runsOn == nullptr)
        runsOn = GetManager();
    starter->Check(value, *runsOn);
    if (starter->IsStarted())
        Stop();
}

void TimedAnimationConnector::OnStop() {}

void TimedAnimationConnector::SetManager(AnimationManager& target)
{
    animationManager = &target;
    managerGone = target.OnDestroyed().Subscribe([this] { animationManager = nullptr; });
}

void TimedAnimationConnector::OnTrigger()
{
    if (animationManager == nullptr)
        throw std::runtime_error("animationManager is null, TimedAnimationConnector kann nicht gestartet werden.");
    Start(*animationManager);
}

} // namespace Quarnel::GameEngine2D::Animation
