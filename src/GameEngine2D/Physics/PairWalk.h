#pragma once

#include "GameEngine2D/Physics/GravityArrays.h"
#include "GameEngine2D/Physics/GravityLaw.h"

namespace Quarnel::GameEngine2D::Physics
{

// Adds the attraction of every pair of bodies to their forces on the calling thread, with exactly the float
// results of the pair-by-pair walk: the pairs (i, j), i ascending and j from i + 1, each computed with the law's
// formula in its order of operations, each force added in the walk's order to the force gathered before.
// Takes the widest vectors the processor has.
void AddPairWalkForces(const GravityArrays& bodies, const GravityLaw& law);

// The same results with the baseline and AVX2 vectors only: what processors without AVX-512 run.
void AddPairWalkForcesPortable(const GravityArrays& bodies, const GravityLaw& law);

} // namespace Quarnel::GameEngine2D::Physics
