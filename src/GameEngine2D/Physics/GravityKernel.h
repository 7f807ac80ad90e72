#pragma once

#include "GameEngine2D/Physics/GravityLaw.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace Quarnel::GameEngine2D::Physics
{

class Mass;

// Feeds the pairwise attraction of MassGravities to the kernels over plain float arrays. Positions do not change
// while the forces of a sub-step are gathered, so they are read once per update into a structure of arrays
// together with the forces already gathered; the kernel adds every pair's contribution and the sums go back to
// the masses. The buffers are kept between updates and only grow, so a steady world allocates nothing here.
class GravityKernel
{
public:
    static constexpr float G = GravityLaw::G;
    static constexpr float ConstantLawDivisor = GravityLaw::ConstantLawDivisor;

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
};

} // namespace Quarnel::GameEngine2D::Physics
