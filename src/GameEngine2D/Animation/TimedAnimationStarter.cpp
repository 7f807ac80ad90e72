#include "GameEngine2D/Animation/TimedAnimationStarter.h"

#include "GameEngine2D/Animation/Animation.h"

#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Animation
{

TimedAnimationStarter::TimedAnimationStarter(std::shared_ptr<Animation> scripted, std::uint32_t startAfter,
                                             std::uint32_t runFor) :
    startTime(startAfter),
    duration(runFor),
    animation(std::move(scripted))
{
    if (!animation)
        throw std::invalid_argument("animation is null");
}

void TimedAnimationStarter::Reset()
{
    started = false;
    pending = true;
}

void TimedAnimationStarter::Check(std::uint32_t elapsed, AnimationManager& manager)
{
    if (!animation->IsRunning() && !started)
    {
        if (startTime < elapsed)
        {
            animation->Start(manager);
            started = true;
            if (duration == 0)
                pending = false;
        }
        return;
    }
    // Summed in 64 bits: a long duration must not wrap around and stop the animation at once.
    const std::uint64_t stopTime = std::uint64_t{startTime} + duration;
    if (stopTime < elapsed)
    {
        animation->Stop();
        pending = false;
    }
}

bool TimedAnimationStarter::IsStarted() const
{
    return started;
}

bool TimedAnimationStarter::IsPending() const
{
    return pending;
}

std::uint32_t TimedAnimationStarter::GetStartTime() const
{
    return startTime;
}

void TimedAnimationStarter::SetStartTime(std::uint32_t startAfter)
{
    startTime = startAfter;
}

std::uint32_t TimedAnimationStarter::GetDuration() const
{
    return duration;
}

void TimedAnimationStarter::SetDuration(std::uint32_t runFor)
{
    duration = runFor;
}

} // namespace Quarnel::GameEngine2D::Animation
