#pragma once

#include "GameEngine2D/Physics/Forward.h"
#include "GameEngine2D/Physics/GravityLaw.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace Quarnel::GameEngine2D::Physics
{

// Feeds the pairwise attraction of MassGravities to the kernels over plain float arrays. Positions do not change
// while the forces of a sub-step are gathered, so they are read once per update into a structure of arrays
// together with the forces already gathered; the kernel adds every pair's contribution and the sums go back to
// the masses. The buffers are kept between updates and only grow, so a steady world allocates nothing here.
// By default the pairs are walked on the calling thread with exactly the float results of the pair-by-pair walk;
// with more threads the parallel kernel shares them out.
class GravityKernel
{
public:
    static constexpr float G = GravityLaw::G;
    static constexpr float ConstantLawDivisor = GravityLaw::ConstantLawDivisor;

    GravityKernel();
    GravityKernel(const GravityKernel&) = delete;
    GravityKernel& operator=(const GravityKernel&) = delete;
    ~GravityKernel();

    // Threads that share the pairs, the caller included: 1 walks them on the calling thread, bit for bit in the
    // walk's order; more use ParallelGravity, whose forces are the same for every thread count but differ from
    // the walk's in the last bits. 0 takes one thread per processor core.
    void SetThreadCount(std::size_t threads);
    [[nodiscard]] std::size_t ThreadCount() const;

    // Attracts every pair of the given masses and adds the forces to them. The masses must be distinct.
    void Apply(const std::vector<std::shared_ptr<Mass>>& masses, bool simpleMode, float factor);

private:
    void Load(const std::vector<std::shared_ptr<Mass>>& masses);
    void Store(const std::vector<std::shared_ptr<Mass>>& masses) const;

    std::size_t count = 0;
    std::vector<float> x, y, z, m;
    std::vector<float> fx, fy, fz;
    // Present while more than one thread is asked for; it owns the threads.
    std::unique_ptr<ParallelGravity> parallel;
};

} // namespace Quarnel::GameEngine2D::Physics
