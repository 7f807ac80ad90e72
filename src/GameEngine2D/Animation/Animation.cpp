#include "GameEngine2D/Animation/Animation.h"

namespace Quarnel::GameEngine2D::Animation
{

Animation::Animation(bool handDelta) : useDelta(handDelta) {}

void Animation::Start(AnimationManager& target)
{
    // A manager destroyed while the animation ran took the registration with it: that counts as stopped.
    if (running && manager != nullptr)
        return;
    if (manager != &target)
    {
        manager = &target;
        managerGone = target.OnDestroyed().Subscribe([this] { manager = nullptr; });
    }
    startTime = target.GetTime();
    tick = target.Subscribe(AnimationManager::TimeHandler::Bind<&Animation::Tick>(this));
    try
    {
        OnStart();
    }
    catch (...)
    {
        // A start that failed must not leave a handler behind that would step a half-started animation.
        tick.Reset();
        startTime = 0;
        running = false;
        throw;
    }
    running = true;
}

void Animation::Stop()
{
    if (!running)
        return;
    // A handler of `stopped` may drop the last owner of this animation; it must survive until Stop returns.
    const auto keepAlive = weak_from_this().lock();
    running = false;
    OnStop();
    startTime = 0;
    tick.Reset();
    stopped.Call();
}

bool Animation::IsRunning() const
{
    return running;
}

AnimationManager* Animation::GetManager() const
{
    return manager;
}

std::uint32_t Animation::GetStartTime() const
{
    return startTime;
}

Animation::NotifyAddHandler& Animation::Stopped()
{
    return stopped.GetAddHandler();
}

Animation::NotifyAddHandler& Animation::Updated()
{
    return updated.GetAddHandler();
}

void Animation::Tick(std::uint32_t time)
{
    // Animate may stop the animation, and a handler of `stopped` may drop its last owner.
    const auto keepAlive = weak_from_this().lock();
    elapsed = time - startTime;
    Animate(useDelta && manager != nullptr ? manager->GetDelta() : elapsed);
    updated.Call();
}

} // namespace Quarnel::GameEngine2D::Animation
