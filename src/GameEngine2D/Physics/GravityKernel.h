#pragma once

#include "GameEngine2D/Physics/Forward.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace Quarnel::GameEngine2D::Physics
{

// The pairwise attraction of MassGravities over plain float arrays. Positions do not change while the forces
// of a sub-step are gathered, so they are read once per update into a structure of arrays; the forces
// already gathered are read in too and every pair's contribution is added in the order of the pair walk
// (i ascending, j from i + 1), so each mass ends with exactly the float value the pair-by-pair walk gives.
// The buffers are kept between updates and only grow, so a steady world allocates nothing here.
class GravityKernel
{
public:
    // The gravitational constant of both laws and the divisor of the distance-independent one.
    static constexpr float G = 0.00067f;
    static constexpr float ConstantLawDivisor = 20.0f;

    GravityKernel() = default;
    GravityKernel(const GravityKernel&) = delete;
    GravityKernel& operator=(const GravityKernel&) = delete;

    // Attracts every pair of the given masses and adds the forces to them. The masses must be distinct.
    void Apply(const std::vector<std::shared_ptr<Mass>>& masses, bool simpleMode, float factor);

private:
    void Load(const std::vector<std::shared_ptr<Mass>>& masses);
    void Store(const std::vector<std::shared_ptr<Mass>>& masses) const;

    std::size_t count = 0;
    std::vector<float> x, y, z, m;
    std::vector<float> fx, fy, fz;
    // The pair forces of the two rows in flight, six arrays of count floats.
    std::vector<float> rowForces;
};

} // namespace Quarnel::GameEngine2D::Physics
