#include "GameEngine2D/Animation/ValueManipulator.h"

#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Animation
{

ValueManipulator::ValueManipulator(bool handDelta, Setter write, Getter read, float targetValue, float stepGrowth,
                                   float largestStep) :
    Animation(handDelta),
    setter(std::move(write)),
    getter(std::move(read)),
    target(targetValue),
    acceleration(stepGrowth),
    maxStep(largestStep)
{
    if (!setter)
        throw std::invalid_argument("setter is null");
    if (!getter)
        throw std::invalid_argument("getter is null");
}

void ValueManipulator::OnStart()
{
    Reset();
}

void ValueManipulator::Animate(std::uint32_t value)
{
    const float current = getter();
    const bool rising = target > current;
    // The frame time in milliseconds drives the growth, so the step reaches maxStep after the same time
    // whatever the frame rate.
    step += static_cast<float>(value) / 1000.0f * acceleration * 10.0f;
    if (step > maxStep)
        step = maxStep;
    const float next = rising ? current + step : current - step;
    const bool overshoots = rising ? target < next : target > next;
    if (overshoots)
        Finish();
    else
        setter(next);
}

void ValueManipulator::OnStop() {}

void ValueManipulator::Reset()
{
    step = acceleration == 0.0f ? maxStep : 0.0f;
}

void ValueManipulator::SetTarget(float targetValue)
{
    target = targetValue;
}

float ValueManipulator::GetTarget() const
{
    return target;
}

float ValueManipulator::GetMaxStep() const
{
    return maxStep;
}

void ValueManipulator::SetMaxStep(float largestStep)
{
    maxStep = largestStep;
}

void ValueManipulator::Finish()
{
    setter(target);
    Stop();
}

} // namespace Quarnel::GameEngine2D::Animation
