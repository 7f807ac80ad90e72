#pragma once

#include <cstddef>

namespace Quarnel::GameEngine2D::Physics
{

// The bodies of a gravity kernel as a structure of arrays, count floats each. The kernels read positions and
// masses and add the pair forces to the forces already gathered. The force arrays must not overlap the others.
struct GravityArrays
{
    std::size_t count = 0;
    // Positions in scene units.
    const float* x = nullptr;
    const float* y = nullptr;
    const float* z = nullptr;
    // Masses; one that is not a number is inert.
    const float* m = nullptr;
    // Forces: in, the forces gathered so far; out, the same with every pair's attraction added.
    float* fx = nullptr;
    float* fy = nullptr;
    float* fz = nullptr;
};

} // namespace Quarnel::GameEngine2D::Physics
