#pragma once

#include "Common/Event.h"
#include "Common/IMoveable.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Physics/Forward.h"

#include <optional>

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

    // The fixed-step (kick-drift-kick leapfrog) side, used by the world in its fixed-step mode. It integrates in
    // double precision: over millions of steps, float positions and speeds would round every small step of a slow
    // orbit the same way and let it drift. The target and Speed show the state rounded to float.
    //
    // Takes the target's position as the precise one when something other than this mass has moved it.
    void BeginSteps();
    // Turns the force gathered since the last call into the acceleration forceScale × (force + the world's weight)
    // / mass and clears the force. A mass of 0 or NaN gets none: it drifts at its speed.
    void TakeAcceleration(float forceScale);
    // Half a kick: speed += (acceleration + drag) × seconds, the drag being forceScale × friction × speed / mass.
    void Kick(double seconds, float forceScale);
    // Raises the step event with the step's length, then moves the target by speed × seconds.
    void Drift(double seconds);
    // Scene units per simulated second squared, as the last TakeAcceleration left it.
    [[nodiscard]] Common::Point3D Acceleration() const;

    // How far the body of this mass reaches from its centre, in scene units; bodies touch when their centres come
    // within the sum of their reaches. 0 (the default) is a point.
    [[nodiscard]] float GetRadius() const { return radius; }
    void SetRadius(float value) { radius = value; }
    // Takes `other` into this mass as one body: the masses add, the momentum is kept, and the body sits at the
    // centre of mass; `other` is removed. Computed in double precision from the precise state. Masses whose sum is
    // not positive (or not a number) meet half-way at their mean speed.
    void Absorb(Mass& other);

private:
    Common::IMoveable* target;
    // Scene units per second.
    Common::Point3D speed;
    // Gathered since the last step, in mass units × scene units per second: a step adds force / mass to the speed.
    Common::Point3D force;
    // The fixed-step state in double precision: scene units, per simulated second, per simulated second squared.
    struct Precise
    {
        double x = 0.0, y = 0.0, z = 0.0;
    };
    Precise precisePosition;
    Precise preciseSpeed;
    Precise acceleration;
    // The position last written to the target, to notice moves made by others; none before the first step.
    std::optional<Common::Point3D> writtenPosition;
    // Mass units (arbitrary, the same for every mass of a world); 0 or NaN: the mass is not accelerated.
    float mass;
    float radius = 0.0f;
    World* world;
    bool logSpeed = false;
    bool removed = false;
    Common::Event<float> simulateEvent;
};

} // namespace Quarnel::GameEngine2D::Physics
