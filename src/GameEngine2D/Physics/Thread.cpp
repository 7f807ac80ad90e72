#include "GameEngine2D/Physics/Thread.h"

#include "Common/CheckedIndex.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/Spring.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace Quarnel::GameEngine2D::Physics
{

void Thread::AddSpring(std::shared_ptr<Mass> first, std::shared_ptr<Mass> second,
                       std::shared_ptr<const SpringData> data)
{
    springs.push_back(std::make_shared<Spring>(std::move(first), std::move(second), std::move(data)));
}

void Thread::Update(float dt)
{
    if (springs.empty())
        return;
    for (std::size_t index = 0; index < springs.size(); ++index)
    {
        // A spring whose mass was removed no longer reaches that mass's target, which may be gone.
        const Spring& spring = *springs[index];
        if (!spring.First()->IsRemoved() && !spring.Second()->IsRemoved())
            springs[index]->Apply(dt);
    }
    // Producers after the chain and the world's own gravity and friction still act on the anchor.
    springs.front()->First()->SetForce(Common::Point3D(0.0f, 0.0f, 0.0f));
}

std::shared_ptr<Spring> Thread::GetSpring(std::int32_t index) const
{
    return Common::CheckedAt(springs, index, [&] {
        return "Spring index " + std::to_string(index) + " out of range, chain has " + std::to_string(springs.size()) +
               " springs";
    });
}

std::int32_t Thread::SpringCount() const
{
    return static_cast<std::int32_t>(springs.size());
}

Common::Point3D Thread::Point() const
{
    return point;
}

void Thread::SetPoint(Common::Point3D value)
{
    point = value;
}

} // namespace Quarnel::GameEngine2D::Physics
