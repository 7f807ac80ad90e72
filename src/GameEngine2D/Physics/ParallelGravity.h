#pragma once

#include "GameEngine2D/Physics/GravityArrays.h"
#include "GameEngine2D/Physics/GravityLaw.h"
#include "GameEngine2D/Physics/WorkerPool.h"

#include <cstddef>
#include <vector>

namespace Quarnel::GameEngine2D::Physics
{

// The pairwise attraction of GravityLaw on every thread of a pool of its own. Each pair is computed once, with a
// reciprocal square root refined by a Newton step and with multiply-adds, and the sums are formed in another
// order, so the forces are not bit for bit those of the pair walk (AddPairWalkForces). Relative to the sum of the
// force sizes on a body, they lie within about 4e-7 of the exact sums; the walk's own float sums drift with the
// number of bodies (about 1e-6 at 2000), so the two agree within 1e-6 up to several hundred bodies and within
// the walk's rounding beyond. The forces are the same in every run and for every thread count: the rows are cut
// into chunks by the number of bodies alone, each chunk sums its pairs in a fixed order into sums of its own, and
// the chunks' sums are added in chunk order, whichever thread computed them. (The AVX-512 and the portable path
// round differently, so processors of different kinds may differ in the last bits.)
//
// Positions, masses and the chunks' sums are copied into buffers that only grow: a steady world allocates
// nothing here.
class ParallelGravity
{
public:
    // threadCount threads work on every update, the caller included; 0 counts as 1.
    explicit ParallelGravity(std::size_t threadCount);
    ParallelGravity(const ParallelGravity&) = delete;
    ParallelGravity& operator=(const ParallelGravity&) = delete;

    [[nodiscard]] std::size_t ThreadCount() const { return pool.ThreadCount(); }

    // Adds the attraction of every pair to the forces, with the widest vectors the processor has.
    void AddForces(const GravityArrays& bodies, const GravityLaw& law);
    // The same with plain loops: what processors without AVX-512 run.
    void AddForcesPortable(const GravityArrays& bodies, const GravityLaw& law);

private:
    // Rows [firstRow, endRow) and the sums of their pairs for every column from firstRow on: three arrays of
    // padded − firstRow floats from sumsOffset on.
    struct Chunk
    {
        std::size_t firstRow = 0;
        std::size_t endRow = 0;
        std::size_t sumsOffset = 0;
    };

    void AddForcesOn(const GravityArrays& bodies, const GravityLaw& law, bool portable);
    void Prepare(const GravityArrays& bodies);
    void PlanChunks(std::size_t bodyCount, std::size_t paddedCount);
    void AddChunkSums(const GravityArrays& bodies);

    WorkerPool pool;
    std::size_t count = 0;
    // count rounded up to whole vectors; the bodies past count have mass 0 at the origin.
    std::size_t padded = 0;
    std::vector<Chunk> chunks;
    // x, y, z and the masses (NaN turned to 0), padded floats each, from `bodiesStart` on (64-byte aligned).
    std::vector<float> bodyStorage;
    std::size_t bodiesStart = 0;
    std::vector<float> sumStorage;
    std::size_t sumsStart = 0;
};

} // namespace Quarnel::GameEngine2D::Physics
