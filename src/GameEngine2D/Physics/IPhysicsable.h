#pragma once

namespace Quarnel::GameEngine2D::Physics
{

// A producer of forces that the world asks once per sub-step, before any mass moves, so every force of
// a sub-step is computed from the positions the previous sub-step left behind.
class IPhysicsable
{
public:
    IPhysicsable() = default;
    IPhysicsable(const IPhysicsable&) = delete;
    IPhysicsable& operator=(const IPhysicsable&) = delete;
    virtual ~IPhysicsable() = default;

    // dt is the full step of the world update in seconds, not the sub-step.
    virtual void Update(float dt) = 0;
};

} // namespace Quarnel::GameEngine2D::Physics
