#pragma once

#include "Common/Point3D.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Zandrel::System
{

// Where a body has been over its last ten simulated seconds: a ring of positions taken every SampleSteps physics
// steps (sixteen a second). The ring is sized once when the body is made; recording and reading allocate nothing,
// so the trail costs no memory traffic per frame however long the program runs.
class Trail final
{
public:
    // Physics steps between two samples, and the seconds the ring covers.
    static constexpr std::uint32_t SampleSteps = 8;
    static constexpr std::uint32_t Seconds = 10;

    explicit Trail(std::uint32_t stepsPerSecond);

    // Called once per physics step with the body's position; keeps every SampleSteps-th one.
    void Step(Quarnel::Common::Point3D position);
    void Clear();

    [[nodiscard]] std::size_t GetCount() const { return count; }
    [[nodiscard]] std::size_t GetCapacity() const { return samples.size(); }
    // The index-th sample, 0 the oldest; index < GetCount().
    [[nodiscard]] Quarnel::Common::Point3D GetSample(std::size_t index) const;

private:
    std::vector<Quarnel::Common::Point3D> samples;
    // The slot the next sample goes to, and the samples held.
    std::size_t next = 0;
    std::size_t count = 0;
    // Steps since the last sample.
    std::uint32_t stepsSinceSample = 0;
};

} // namespace Zandrel::System
