#pragma once

#include "GameEngine2D/Physics/Forward.h"
#include "GameEngine2D/Physics/GravityKernel.h"
#include "GameEngine2D/Physics/IPhysicsable.h"
#include "GameEngine2D/Physics/Masses.h"

#include <cstddef>
#include <memory>

namespace Quarnel::GameEngine2D::Physics
{

// Makes every pair of its registered masses attract each other, once per sub-step, with one of two laws:
// - distance-independent (simple mode): F = u × G × mA × mB ÷ 20;
// - inverse-square: F = u × (mA × G × mB) / (s × s × factor) with s = r / 2 × 1000, never below 1,
// where u is the unit vector from A towards B, r their distance and G = 0.00067. Masses at the same place
// exert no force on each other. The masses belong to the world; this object only refers to them.
class MassGravities final : public IPhysicsable
{
public:
    MassGravities() = default;

    virtual void Add(std::shared_ptr<Mass> mass);
    // dt is not used: the world turns forces into speed changes per sub-step.
    void Update(float dt) override;
    virtual void SetSimpleMode(bool on);
    [[nodiscard]] virtual bool IsSimpleMode() const;
    virtual void SetFactor(float value);
    [[nodiscard]] float GetFactor() const { return factor; }
    // Threads that share the pairs, the caller included. 1, the default, gives exactly the float results of the
    // pair-by-pair walk; more use the parallel kernel (ParallelGravity), whose forces are the same for every
    // thread count and run but are summed in another order, so they differ from the walk's in the last bits.
    // 0 takes one thread per processor core. A list that holds a mass twice is always walked pair by pair.
    virtual void SetThreadCount(std::size_t count);
    [[nodiscard]] virtual std::size_t ThreadCount() const;

private:
    // The pair-by-pair walk, for a list that holds one mass twice (the arrays would keep two copies of it).
    void UpdatePairByPair();
    void Attract(Mass& a, Mass& b) const;

    Masses masses;
    // Divides the inverse-square force; a pure number.
    float factor = 1.0f;
    bool simpleMode = false;
    bool holdsAMassTwice = false;
    GravityKernel kernel;
};

} // namespace Quarnel::GameEngine2D::Physics
