#include "app/System/Trail.h"

namespace Zandrel::System
{

Trail::Trail(std::uint32_t stepsPerSecond) :
    samples(static_cast<std::size_t>(stepsPerSecond) * Seconds / SampleSteps, Quarnel::Common::Point3D())
{
}

void Trail::Step(Quarnel::Common::Point3D position)
{
    // The first step of a body is sampled at once, so a trail starts where the body started.
    if (count > 0 && ++stepsSinceSample < SampleSteps)
        return;
    stepsSinceSample = 0;
    samples[next] = position;
    next = (next + 1) % samples.size();
    if (count < samples.size())
        ++count;
}

void Trail::Clear()
{
    next = 0;
    count = 0;
    stepsSinceSample = 0;
}

Quarnel::Common::Point3D Trail::GetSample(std::size_t index) const
{
    // The oldest sample sits at `next` once the ring is full, at 0 before.
    const std::size_t oldest = count < samples.size() ? 0 : next;
    return samples[(oldest + index) % samples.size()];
}

} // namespace Zandrel::System
