#pragma once

#include "Common/IMoveable.h"
#include "Common/Point3D.h"
#include "Common/WalkedList.h"
#include "GameEngine2D/Physics/Forward.h"
#include "GameEngine2D/Physics/Masses.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Quarnel::GameEngine2D::Physics
{

// The physics of one scene: a uniform gravity, a linear friction, the point masses it holds and the force
// producers it asks for forces before every sub-step. Masses and producers are added between updates: adding from
// inside a step makes that update fail instead of walking a changed list. A removed mass (Mass::Remove) is no
// longer stepped and is forgotten at the next update.
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

private:
    // One sub-step: every force producer with the full step, then every mass with its share of it.
    void Step(float dt, float subStep);

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
};

} // namespace Quarnel::GameEngine2D::Physics
