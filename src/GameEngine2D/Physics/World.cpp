#include "GameEngine2D/Physics/World.h"

#include "Common/MyLog.h"
#include "GameEngine2D/Physics/IPhysicsable.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/Thread.h"

#include <cmath>
#include <exception>
#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Physics
{

namespace
{

// A NaN is not a number, so it never switches friction or gravity on.
bool IsNonZeroNumber(float value)
{
    return value != 0.0f && !std::isnan(value);
}

// Calls visit for every entry present when the walk starts. The walk is by index, so an entry appended by a
// callback never invalidates it; the change is reported as an error as soon as the callback returns.
template <typename List, typename Visit>
void WalkUnchanged(const List& list, Visit visit)
{
    const std::size_t count = list.size();
    for (std::size_t index = 0; index < count; ++index)
    {
        visit(*list[index]);
        if (list.size() != count)
            throw std::runtime_error("Collection modified during iteration");
    }
}

} // namespace

World::World(Common::Point3D uniformGravity, float frictionFactor) : gravity(uniformGravity), friction(frictionFactor)
{
    SetGravity(uniformGravity);
    SetFriction(frictionFactor);
}

World::~World() = default;

float World::Friction() const
{
    return friction;
}

void World::SetFriction(float value)
{
    friction = value;
    hasFriction = IsNonZeroNumber(value);
}

Common::Point3D World::Gravity() const
{
    return gravity;
}

void World::SetGravity(Common::Point3D value)
{
    gravity = value;
    hasGravity = IsNonZeroNumber(value.X()) || IsNonZeroNumber(value.Y()) || IsNonZeroNumber(value.Z());
}

std::shared_ptr<Mass> World::CreateMass(std::shared_ptr<Scene::IMoveable> target, float massValue)
{
    auto mass = std::make_shared<Mass>(std::move(target), *this, massValue);
    masses.Add(mass);
    return mass;
}

std::shared_ptr<Thread> World::CreateChain()
{
    auto chain = std::make_shared<Thread>();
    physicsObjects.push_back(chain);
    return chain;
}

std::shared_ptr<MassGravities> World::CreateGravities()
{
    auto gravities = std::make_shared<MassGravities>();
    physicsObjects.push_back(gravities);
    return gravities;
}

bool World::HasGravity() const
{
    return hasGravity;
}

bool World::HasFriction() const
{
    return hasFriction;
}

void World::SetTimeFactor(float value)
{
    timeFactor = value;
}

void World::Update(std::uint32_t elapsedMs)
{
    const auto dt = static_cast<float>(static_cast<double>(elapsedMs) / 1000.0 * static_cast<double>(timeFactor));
    // A handler that changes the sub-step count mid-update takes effect with the next update; reading it
    // again here could divide the step by zero.
    const std::int32_t steps = subSteps;
    try
    {
        for (std::int32_t step = 0; step < steps; ++step)
            Step(dt, dt / static_cast<float>(steps));
    }
    catch (const std::exception& error)
    {
        // Masses already stepped keep their new state; the next update starts afresh.
        Common::MyLog::LogException(error);
        std::throw_with_nested(std::runtime_error("Error in Physics.Update"));
    }
}

void World::Step(float dt, float subStep)
{
    WalkUnchanged(physicsObjects, [dt](IPhysicsable& producer) { producer.Update(dt); });
    WalkUnchanged(masses.List(), [subStep](Mass& mass) { mass.Simulate(subStep); });
}

void World::SetSubSteps(std::int32_t count)
{
    subSteps = count;
}

} // namespace Quarnel::GameEngine2D::Physics
