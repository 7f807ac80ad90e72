#include "GameEngine2D/Physics/World.h"

#include "Common/MyLog.h"
#include "GameEngine2D/Physics/IPhysicsable.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/Thread.h"

#include <chrono>
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

std::shared_ptr<Mass> World::CreateMass(Common::IMoveable& target, float massValue)
{
    auto mass = std::make_shared<Mass>(target, *this, massValue);
    masses.Add(mass);
    return mass;
}

std::shared_ptr<Thread> World::CreateChain()
{
    auto chain = std::make_shared<Thread>();
    physicsObjects.Add(chain);
    return chain;
}

std::shared_ptr<MassGravities> World::CreateGravities()
{
    auto gravities = std::make_shared<MassGravities>();
    physicsObjects.Add(gravities);
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
    if (fixedSteps)
    {
        UpdateFixedSteps(elapsedMs);
        return;
    }
    const auto dt = static_cast<float>(static_cast<double>(elapsedMs) / 1000.0 * static_cast<double>(timeFactor));
    // A handler that changes the sub-step count mid-update takes effect with the next update; reading it
    // again here could divide the step by zero.
    const std::int32_t steps = subSteps;
    masses.ForgetRemoved();
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
    physicsObjects.ForEach([dt](IPhysicsable& producer) { producer.Update(dt); });
    // A mass removed during this update keeps its place in the list until the next one, but is not stepped.
    masses.ForEach([subStep](Mass& mass) {
        if (!mass.IsRemoved())
            mass.Simulate(subStep);
    });
}

void World::SetSubSteps(std::int32_t count)
{
    subSteps = count;
}

void World::UseFixedSteps(float scale)
{
    fixedSteps = true;
    forceScale = scale;
}

void World::UpdateFixedSteps(std::uint32_t elapsedMs)
{
    const std::uint32_t steps = clock.PlanFrame(elapsedMs);
    const auto start = std::chrono::steady_clock::now();
    try
    {
        RunSteps(steps);
    }
    catch (const std::exception& error)
    {
        Common::MyLog::LogException(error);
        std::throw_with_nested(std::runtime_error("Error in Physics.Update"));
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    clock.RecordCost(steps, took.count());
}

void World::RunSteps(std::uint32_t count)
{
    if (count == 0)
        return;
    const double dt = SimulationClock::StepSeconds;
    masses.ForgetRemoved();
    masses.ForEach([](Mass& mass) {
        if (!mass.IsRemoved())
            mass.BeginSteps();
    });
    GatherAccelerations(static_cast<float>(dt));
    for (std::uint32_t step = 0; step < count; ++step)
    {
        if (contactHandler)
            detector.BeginStep(masses.List());
        LeapfrogStep(dt);
        clock.CountSteps(1);
        if (contactHandler)
            HandleContacts(dt);
    }
}

void World::SetContactHandler(ContactHandler handler)
{
    contactHandler = std::move(handler);
}

void World::HandleContacts(double dt)
{
    const std::vector<Contact>& contacts = detector.FindContacts(masses.List());
    if (contacts.empty())
        return;
    contactHandler(contacts);
    // Merged bodies pull with other masses from other places: the next step's first kick needs their forces.
    GatherAccelerations(static_cast<float>(dt));
}

void World::LeapfrogStep(double dt)
{
    const double half = dt / 2.0;
    const float scale = forceScale;
    masses.ForEach([half, dt, scale](Mass& mass) {
        if (mass.IsRemoved())
            return;
        mass.Kick(half, scale);
        mass.Drift(dt);
    });
    GatherAccelerations(static_cast<float>(dt));
    masses.ForEach([half, scale](Mass& mass) {
        if (!mass.IsRemoved())
            mass.Kick(half, scale);
    });
}

void World::GatherAccelerations(float dt)
{
    masses.ForEach([](Mass& mass) { mass.SetForce(Common::Point3D(0.0f, 0.0f, 0.0f)); });
    physicsObjects.ForEach([dt](IPhysicsable& producer) { producer.Update(dt); });
    const float scale = forceScale;
    masses.ForEach([scale](Mass& mass) {
        if (!mass.IsRemoved())
            mass.TakeAcceleration(scale);
    });
}

} // namespace Quarnel::GameEngine2D::Physics
