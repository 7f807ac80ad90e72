#include "GameEngine2D/Physics/Mass.h"

#include "Common/IMoveable.h"
#include "Common/MyLog.h"
#include "GameEngine2D/Physics/World.h"

#include <cmath>

namespace Quarnel::GameEngine2D::Physics
{

Mass::Mass(Common::IMoveable& movedTarget, World& owner, float massValue) :
    target(&movedTarget),
    speed(0.0f, 0.0f, 0.0f),
    force(0.0f, 0.0f, 0.0f),
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
}

void Mass::AddSpeed(Common::Point3D value)
{
    speed = speed + value;
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
        speed = speed + force / mass;
        force = Common::Point3D(0.0f, 0.0f, 0.0f);
    }

    // Semi-implicit Euler: the position moves with the speed just computed.
    target->SetPosition(target->GetPosition() + speed * dt);

    if (logSpeed)
        Common::MyLog::Info("speed: " + speed.ToString());
}

void Mass::LogSpeed()
{
    logSpeed = true;
}

} // namespace Quarnel::GameEngine2D::Physics
