#pragma once

#include "Common/IMoveable.h"
#include "Common/Point3D.h"
#include "Common/WalkedList.h"
#include "GameEngine2D/Physics/Forward.h"
#include "GameEngine2D/Physics/Masses.h"
#include "GameEngine2D/Physics/MergeDetector.h"
#include "GameEngine2D/Physics/SimulationClock.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace Quarnel::GameEngine2D::Physics
{

// The physics of one scene: a uniform gravity, a linear friction, the point masses it holds and the force
// producers it asks for forces before every sub-step. Masses and producers are added between updates: adding from
// inside a step makes that update fail instead of walking a changed list. A removed mass (Mass::Remove) is no
// longer stepped and is forgotten at the next update.
//
// Two modes. Per frame (the default): each update is one step of the frame's length, split into sub-steps, in
// which the speed change is force / mass. Fixed steps (UseFixedSteps): the world's clock turns the frame's real
// time into whole steps of SimulationClock::StepSeconds, each a kick-drift-kick leapfrog step with the acceleration
// forceScale × force / mass; positions then depend only on the number of steps, not on how frames cut them.
class World final
{
public:
    World(Common::Point3D uniformGravity, float frictionFactor);
    World(const World&) = delete;
    World& operator=(const World&) = delete;
    virtual ~World();

    [[nodiscard]] virtual float Friction() const;
    virtual void SetFriction(float value);
    [[nodiscard]] virtual Common::Point3D Gravity() const;
    virtual void SetGravity(Common::Point3D value);
    // The target must outlive the mass's time in the world: its owner removes the mass before it goes.
    virtual std::shared_ptr<Mass> CreateMass(Common::IMoveable& target, float massValue);
    virtual std::shared_ptr<Thread> CreateChain();
    virtual std::shared_ptr<MassGravities> CreateGravities();
    [[nodiscard]] virtual bool HasGravity() const;
    [[nodiscard]] virtual bool HasFriction() const;
    virtual void SetTimeFactor(float value);
    // Advances the world by elapsedMs milliseconds of real time, scaled by the time factor, in sub-steps.
    virtual void Update(std::uint32_t elapsedMs);
    virtual void SetSubSteps(std::int32_t count);

    [[nodiscard]] const Masses& GetMasses() const { return masses; }

    // Switches Update to fixed leapfrog steps driven by the clock, with the acceleration forceScale × force / mass
    // (scene units per simulated second squared). Time factor and sub-steps no longer apply.
    void UseFixedSteps(float forceScale);
    [[nodiscard]] bool UsesFixedSteps() const { return fixedSteps; }
    [[nodiscard]] float GetForceScale() const { return forceScale; }
    [[nodiscard]] SimulationClock& GetClock() { return clock; }
    [[nodiscard]] const SimulationClock& GetClock() const { return clock; }
    // Runs `count` leapfrog steps now, whatever the clock's pause and speed, and counts them on the clock. The
    // forces are gathered afresh first: they depend on the positions alone, so this gives the same values the
    // last step left, and takes in whatever changed since (a new body, another law).
    void RunSteps(std::uint32_t count);

    // Receives, after every fixed step, the pairs of masses whose bodies touched during it (MergeDetector), in the
    // order they touched; nothing when none did. The handler may change and remove masses but not add any: the
    // accelerations are gathered afresh after it. An empty handler (the default) switches the search off.
    using ContactHandler = std::function<void(const std::vector<Contact>&)>;
    void SetContactHandler(ContactHandler handler);

private:
    // One sub-step: every force producer with the full step, then every mass with its share of it.
    void Step(float dt, float subStep);
    // Asks every force producer for its forces and turns them into the masses' accelerations.
    void GatherAccelerations(float dt);
    void LeapfrogStep(double dt);
    // One frame of the fixed-step mode: the steps the clock asks for, their cost reported back to it.
    void UpdateFixedSteps(std::uint32_t elapsedMs);
    void HandleContacts(double dt);

    // Scene units per second added to every mass's speed at each sub-step.
    Common::Point3D gravity;
    // Mass units per sub-step: each sub-step adds speed × -friction to a mass's force.
    float friction;
    bool hasGravity = false;
    bool hasFriction = false;
    Common::WalkedList<IPhysicsable> physicsObjects;
    Masses masses;
    // Simulated seconds per elapsed second.
    float timeFactor = 1.0f;
    // Sub-steps per update; none at all while 0 or less.
    std::int32_t subSteps = 3;
    bool fixedSteps = false;
    // Acceleration per force and mass in fixed-step mode.
    float forceScale = 1.0f;
    SimulationClock clock;
    ContactHandler contactHandler;
    MergeDetector detector;
};

} // namespace Quarnel::GameEngine2D::Physics
