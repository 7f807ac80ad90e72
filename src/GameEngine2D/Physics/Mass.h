#pragma once

#include "Common/Event.h"
#include "Common/IMoveable.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Physics/Forward.h"

namespace Quarnel::GameEngine2D::Physics
{

// A point mass that drives the position of one movable object. Forces gathered between two steps are turned
// into a speed change by Simulate; the world that created the mass holds it and outlives every step.
//
// The mass only observes its target: whoever owns the target takes the mass out (Remove) before the target goes,
// and from then on nothing reads or writes the target through the mass.
class Mass final
{
public:
    Mass(Common::IMoveable& movedTarget, World& owner, float massValue);
    Mass(const Mass&) = delete;
    Mass& operator=(const Mass&) = delete;
    virtual ~Mass() = default;

    // Handlers receive the duration of each step in seconds and run before the mass moves.
    [[nodiscard]] virtual Common::EventAddHandler<float>& OnSimulate();
    [[nodiscard]] virtual Common::IMoveable& Target() const;
    [[nodiscard]] virtual Common::Point3D Speed() const;
    virtual void SetSpeed(Common::Point3D value);
    virtual void AddSpeed(Common::Point3D value);
    [[nodiscard]] virtual Common::Point3D Force() const;
    virtual void SetForce(Common::Point3D value);
    [[nodiscard]] virtual float GetMass() const;
    virtual void SetMass(float value);
    virtual void AddForce(Common::Point3D value);
    virtual void Simulate(float dt);
    virtual void LogSpeed();

    // Takes the mass out of the simulation: its world and every force producer drop it at their next update, and
    // its target is no longer touched.
    void Remove() { removed = true; }
    [[nodiscard]] bool IsRemoved() const { return removed; }

private:
    Common::IMoveable* target;
    // Scene units per second.
    Common::Point3D speed;
    // Gathered since the last step, in mass units × scene units per second: a step adds force / mass to the speed.
    Common::Point3D force;
    // Mass units (arbitrary, the same for every mass of a world); 0 or NaN: the mass is not accelerated.
    float mass;
    World* world;
    bool logSpeed = false;
    bool removed = false;
    Common::Event<float> simulateEvent;
};

} // namespace Quarnel::GameEngine2D::Physics
