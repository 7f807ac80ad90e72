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
    trigger.Add(Common::Handler<>([self = this, alive = std::weak_ptr<const int>(lifetime)] {
        if (!alive.expired())
            self->OnTrigger();
    }));
}

void TimedAnimationConnector::OnStart()
{
    starter->Reset();
}

void TimedAnimationConnector::Animate(std::uint32_t value)
{
    // The manager it runs on is the one it was handed, unless SetManager changed it since.
    AnimationManager* runsOn = animationManager.Get();
    if (runsOn == nullptr)
        runsOn = GetManager();
    starter->Check(value, *runsOn);
    if (starter->IsStarted())
        Stop();
}

void TimedAnimationConnector::OnStop() {}

void TimedAnimationConnector::SetManager(AnimationManager& target)
{
    animationManager = ManagerLink(target);
}

void TimedAnimationConnector::OnTrigger()
{
    AnimationManager* target = animationManager.Get();
    if (target == nullptr)
        throw std::runtime_error("animationManager is null, TimedAnimationConnector kann nicht gestartet werden.");
    Start(*target);
}

} // namespace Quarnel::GameEngine2D::Animation
