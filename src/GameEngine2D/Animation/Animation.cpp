#include "GameEngine2D/Animation/Animation.h"

namespace Quarnel::GameEngine2D::Animation
{

Animation::Animation(bool handDelta) : useDelta(handDelta) {}

Animation::~Animation()
{
    if (!running)
        return;
    if (AnimationManager* current = manager.Get())
        current->Remove(TickHandler());
}

void Animation::Start(AnimationManager& target)
{
    // A manager destroyed while the animation ran took the registration with it: that counts as stopped.
    if (running && manager.Get() != nullptr)
        return;
    manager = ManagerLink(target);
    startTime = target.GetTime();
    target.Add(TickHandler());
    try
    {
        OnStart();
    }
    catch (...)
    {
        // A start that failed must not leave a handler behind that would step a half-started animation.
        target.Remove(TickHandler());
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
    if (AnimationManager* current = manager.Get())
        current->Remove(TickHandler());
    stopped.Call();
}

bool Animation::IsRunning() const
{
    return running;
}

AnimationManager* Animation::GetManager() const
{
    return manager.Get();
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
    // A start and a stop within one clock step leave the handler attached once the step ends (the event adds
    // handlers made during a call afterwards); such a stale registration must not step a stopped animation.
    if (!running)
        return;
    // Animate may stop the animation, and a handler of `stopped` may drop its last owner.
    const auto keepAlive = weak_from_this().lock();
    elapsed = time - startTime;
    const AnimationManager* current = manager.Get();
    Animate(useDelta && current != nullptr ? current->GetDelta() : elapsed);
    updated.Call();
}

AnimationManager::TimeHandler Animation::TickHandler()
{
    return AnimationManager::TimeHandler::Bind<&Animation::Tick>(this);
}

} // namespace Quarnel::GameEngine2D::Animation
