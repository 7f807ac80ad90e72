#pragma once

#include "Common/Point3D.h"
#include "GameEngine2D/Physics/Masses.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Quarnel::GameEngine2D::Scene
{
class IMoveable;
} // namespace Quarnel::GameEngine2D::Scene

namespace Quarnel::GameEngine2D::Physics
{

class IPhysicsable;
class Mass;
class MassGravities;
class Thread;

// The physics of one scene: a uniform gravity, a linear friction, the point masses it owns and the force
// producers it asks for forces before every sub-step. Masses and producers are only ever added, and only
// between updates: adding from inside a step makes that update fail instead of walking a changed list.
class World
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
    virtual std::shared_ptr<Mass> CreateMass(std::shared_ptr<Scene::IMoveable> target, float massValue);
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

    Common::Point3D gravity;
    float friction;
    bool hasGravity = false;
    bool hasFriction = false;
    std::vector<std::shared_ptr<IPhysicsable>> physicsObjects;
    Masses masses;
    float timeFactor = 1.0f;
    std::int32_t subSteps = 3;
};

} // namespace Quarnel::GameEngine2D::Physics
