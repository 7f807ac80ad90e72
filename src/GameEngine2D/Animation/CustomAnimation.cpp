#include "GameEngine2D/Animation/CustomAnimation.h"

#include <utility>

namespace Quarnel::GameEngine2D::Animation
{

CustomAnimation::CustomAnimation(Callback onStep, std::optional<Common::DataTypes::WInteger> callInterval) :
    Animation(false),
    callback(std::move(onStep)),
    interval(std::move(callInterval))
{
}

void CustomAnimation::OnStart()
{
    // The clock value, while later steps compare elapsed time: a start at a clock value above 0 makes the
    // difference wrap to a large number, so the first step calls at once.
    lastCall = GetManager()->GetTime();
}

void CustomAnimation::Animate(std::uint32_t value)
{
    if (interval)
    {
        const std::uint32_t sinceLastCall = value - lastCall;
        // Compared in 64 bits: a negative interval then never holds a call back, and nothing is truncated.
        if (static_cast<std::int64_t>(sinceLastCall) < static_cast<std::int64_t>(interval->Value()))
            return;
        lastCall = value;
    }
    if (callback)
        callback(value);
}

void CustomAnimation::OnStop() {}

void CustomAnimation::SetInterval(int milliseconds)
{
    interval.emplace(milliseconds);
}

} // namespace Quarnel::GameEngine2D::Animation
