#include "GameEngine2D/Animation/AnimationTimer.h"

namespace Quarnel::GameEngine2D::Animation
{

AnimationTimer::AnimationTimer(std::uint32_t milliseconds) : Animation(false), duration(milliseconds) {}

void AnimationTimer::OnStart() {}

void AnimationTimer::Animate(std::uint32_t value)
{
    if (value > duration)
        Stop();
}

void AnimationTimer::OnStop() {}

std::uint32_t AnimationTimer::GetDuration() const
{
    return duration;
}

void AnimationTimer::SetDuration(std::uint32_t milliseconds)
{
    duration = milliseconds;
}

} // namespace Quarnel::GameEngine2D::Animation
