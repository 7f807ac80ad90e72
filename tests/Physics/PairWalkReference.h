#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace Quarnel::GameEngine2D::Physics::Testing
{

// One body of the reference walk: position, mass and the force gathered so far.
struct Body
{
    float x, y, z, m;
    float fx, fy, fz;
};

// The pair walk written out with the float operations of both laws: every mass collects its forces in
// the order (0,1), (0,2), ..., (1,2), ..., starting from the force it had already gathered. A mass that is
// not a number counts as 0.
inline void ReferencePairWalk(std::vector<Body>& bodies, const std::vector<std::size_t>& order, bool simple,
                              float factor)
{
    constexpr float G = 0.00067f;
    for (std::size_t i = 0; i < order.size(); ++i)
    {
        for (std::size_t j = i + 1; j < order.size(); ++j)
        {
            Body& a = bodies[order[i]];
            Body& b = bodies[order[j]];
            const float ma = std::isnan(a.m) ? 0.0f : a.m;
            const float mb = std::isnan(b.m) ? 0.0f : b.m;
            const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
            const float sum = dx * dx + dy * dy + dz * dz;
            const float r = sum == 0.0f ? 0.0f : std::sqrt(sum);
            float fx = 0.0f, fy = 0.0f, fz = 0.0f;
            if (r != 0.0f)
            {
                const float ux = dx / -r, uy = dy / -r, uz = dz / -r;
                if (simple)
                {
                    fx = ux * G * ma * mb / 20.0f;
                    fy = uy * G * ma * mb / 20.0f;
                    fz = uz * G * ma * mb / 20.0f;
                }
                else
                {
                    float s = r / 2.0f * 1000.0f;
                    if (s < 1.0f)
                        s = 1.0f;
                    const float product = ma * G * mb;
                    const float divisor = s * s * factor;
                    fx = ux * product / divisor;
                    fy = uy * product / divisor;
                    fz = uz * product / divisor;
                }
            }
            a.fx = a.fx + fx;
            a.fy = a.fy + fy;
            a.fz = a.fz + fz;
            b.fx = b.fx + fx * -1.0f;
            b.fy = b.fy + fy * -1.0f;
            b.fz = b.fz + fz * -1.0f;
        }
    }
}

inline std::uint32_t Bits(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace Quarnel::GameEngine2D::Physics::Testing
