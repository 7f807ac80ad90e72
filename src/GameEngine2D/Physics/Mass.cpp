#include "GameEngine2D/Physics/Mass.h"

#include "Common/IMoveable.h"
#include "Common/MyLog.h"
#include "GameEngine2D/Physics/World.h"

#include <cmath>

namespace Quarnel::GameEngine2D::Physics
{

namespace
{

// A mass of 0 or NaN cannot be accelerated.
bool CanAccelerate(float mass)
{
    return mass != 0.0f && !std::isnan(mass);
}

} // namespace

Mass::Mass(Common::IMoveable& movedTarget, World& owner, float massValue) :
    target(&movedTarget),
    speed(0.0f, 0.0f, 0.0f),
    force(0.0f, 0.0f, 0.0f),
    acceleration(0.0f, 0.0f, 0.0f),
    mass(massValue),
    world(&owner)
{
}

Common::EventAddHandler<float>& Mass::OnSimulate()
{
    return simulateEvent.GetAddHandler();
}

Common::IMoveable& Mass::Target() const
{
    return *target;
}

Common::Point3D Mass::Speed() const
{
    return speed;
}

void Mass::SetSpeed(Common::Point3D value)
{
    speed = value;
    preciseSpeed = {value.X(), value.Y(), value.Z()};
}

void Mass::AddSpeed(Common::Point3D value)
{
    SetSpeed(speed + value);
}

Common::Point3D Mass::Force() const
{
    return force;
}

void Mass::SetForce(Common::Point3D value)
{
    force = value;
}

float Mass::GetMass() const
{
    return mass;
}

void Mass::SetMass(float value)
{
    mass = value;
}

void Mass::AddForce(Common::Point3D value)
{
    force = force + value;
}

void Mass::Simulate(float dt)
{
    simulateEvent.Call(dt);

    // A mass of 0 or NaN cannot be accelerated: its forces wait for a step in which it has a mass, while it
    // keeps drifting at its current speed.
    if (mass != 0.0f && !std::isnan(mass))
    {
        if (world->HasGravity())
            AddForce(world->Gravity() * mass);
        if (world->HasFriction())
            AddForce(speed * -world->Friction());
        // The speed change of a sub-step is force / mass, deliberately not scaled by dt.
        SetSpeed(speed + force / mass);
        force = Common::Point3D(0.0f, 0.0f, 0.0f);
    }

    // Semi-implicit Euler: the position moves with the speed just computed.
    target->SetPosition(target->GetPosition() + speed * dt);

    if (logSpeed)
        Common::MyLog::Info("speed: " + speed.ToString());
}

void Mass::BeginSteps()
{
    const Common::Point3D now = target->GetPosition();
    if (writtenPosition && *writtenPosition == now)
        return;
    precisePosition = {now.X(), now.Y(), now.Z()};
    writtenPosition = now;
}

void Mass::TakeAcceleration(float forceScale)
{
    if (CanAccelerate(mass))
    {
        if (world->HasGravity())
            AddForce(world->Gravity() * mass);
        const double perForce = static_cast<double>(forceScale) / static_cast<double>(mass);
        acceleration = {force.X() * perForce, force.Y() * perForce, force.Z() * perForce};
    }
    else
    {
        acceleration = {};
    }
    force = Common::Point3D(0.0f, 0.0f, 0.0f);
}

void Mass::Kick(double seconds, float forceScale)
{
    if (!CanAccelerate(mass))
        return;
    Precise change = acceleration;
    // The drag depends on the speed, so it is taken at each half kick rather than kept with the acceleration.
    if (world->HasFriction())
    {
        const double drag = -static_cast<double>(world->Friction()) * forceScale / mass;
        change = {change.x + drag * preciseSpeed.x, change.y + drag * preciseSpeed.y, change.z + drag * preciseSpeed.z};
    }
    preciseSpeed = {preciseSpeed.x + change.x * seconds, preciseSpeed.y + change.y * seconds,
                    preciseSpeed.z + change.z * seconds};
    speed = Common::Point3D(static_cast<float>(preciseSpeed.x), static_cast<float>(preciseSpeed.y),
                            static_cast<float>(preciseSpeed.z));
}

void Mass::Drift(double seconds)
{
    simulateEvent.Call(static_cast<float>(seconds));
    precisePosition = {precisePosition.x + preciseSpeed.x * seconds, precisePosition.y + preciseSpeed.y * seconds,
                       precisePosition.z + preciseSpeed.z * seconds};
    writtenPosition = Common::Point3D(static_cast<float>(precisePosition.x), static_cast<float>(precisePosition.y),
                                      static_cast<float>(precisePosition.z));
    target->SetPosition(*writtenPosition);
    if (logSpeed)
        Common::MyLog::Info("speed: " + speed.ToString());
}

Common::Point3D Mass::Acceleration() const
{
    return {static_cast<float>(acceleration.x), static_cast<float>(acceleration.y), static_cast<float>(acceleration.z)};
}

void Mass::Absorb(Mass& other)
{
    // Both precise states must show where the targets stand now.
    BeginSteps();
    other.BeginSteps();
    const double own = mass;
    const double taken = other.mass;
    const double total = own + taken;
    // A total that is not positive gives no centre of mass; the bodies then meet half-way.
    const double share = total > 0.0 && std::isfinite(total) ? taken / total : 0.5;
    const double kept = 1.0 - share;
    auto blend = [kept, share](const Precise& a, const Precise& b) {
        return Precise{a.x * kept + b.x * share, a.y * kept + b.y * share, a.z * kept + b.z * share};
    };
    precisePosition = blend(precisePosition, other.precisePosition);
    preciseSpeed = blend(preciseSpeed, other.preciseSpeed);
    // Summed in float: a sum beyond the floats is infinite rather than an undefined conversion.
    mass += other.mass;
    speed = Common::Point3D(static_cast<float>(preciseSpeed.x), static_cast<float>(preciseSpeed.y),
                            static_cast<float>(preciseSpeed.z));
    writtenPosition = Common::Point3D(static_cast<float>(precisePosition.x), static_cast<float>(precisePosition.y),
                                      static_cast<float>(precisePosition.z));
    target->SetPosition(*writtenPosition);
    other.Remove();
}

void Mass::LogSpeed()
{
    logSpeed = true;
}

} // namespace Quarnel::GameEngine2D::Physics
