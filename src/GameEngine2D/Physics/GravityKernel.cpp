#include "GameEngine2D/Physics/GravityKernel.h"

#include "Common/IMoveable.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Physics/Mass.h"

#include <cmath>

// The x86-64 baseline has 4-wide vectors only; an AVX2 clone of the pair loops doubles that where the processor
// has it. AVX2 brings no fused multiply-add, and the physics sources are built without contraction, so both
// clones round every operation exactly like the scalar formula.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define QUARNEL_PAIR_LOOP_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define QUARNEL_PAIR_LOOP_CLONES
#endif

namespace Quarnel::GameEngine2D::Physics
{

namespace
{

struct Arrays
{
    const float* x;
    const float* y;
    const float* z;
    const float* m;
    float* fx;
    float* fy;
    float* fz;
};

struct RowForces
{
    float* x;
    float* y;
    float* z;
};

// The forces of the pairs (i, j), j > i, on mass i are written to row; the opposite forces are added to the
// masses j at once. This loop carries no dependency from one j to the next, so the compiler vectorises it
// (the physics sources are built with -fno-math-errno -fno-trapping-math, which changes no result).
template <bool SimpleMode>
[[gnu::always_inline]] inline void PairRowOf(std::size_t count, std::size_t i, const float* __restrict x,
                                             const float* __restrict y, const float* __restrict z,
                                             const float* __restrict m, float* __restrict fx, float* __restrict fy,
                                             float* __restrict fz, float* __restrict rx, float* __restrict ry,
                                             float* __restrict rz, float factor)
{
    const float xi = x[i];
    const float yi = y[i];
    const float zi = z[i];
    const float mi = m[i];
    const float miG = mi * GravityKernel::G;
    for (std::size_t j = i + 1; j < count; ++j)
    {
        const float dx = xi - x[j];
        const float dy = yi - y[j];
        const float dz = zi - z[j];
        // Point3D::Length: the sum rounded to float, then its root (the root of +0 is 0 as well).
        const float r = std::sqrt(dx * dx + dy * dy + dz * dz);
        const bool together = r == 0.0f;
        // Masses at the same place get no force; the placeholder divisor only keeps the lane free of 0 / 0.
        const float minusR = together ? -1.0f : -r;
        const float ux = dx / minusR;
        const float uy = dy / minusR;
        const float uz = dz / minusR;
        float forceX;
        float forceY;
        float forceZ;
        if constexpr (SimpleMode)
        {
            forceX = ux * GravityKernel::G * mi * m[j] / GravityKernel::ConstantLawDivisor;
            forceY = uy * GravityKernel::G * mi * m[j] / GravityKernel::ConstantLawDivisor;
            forceZ = uz * GravityKernel::G * mi * m[j] / GravityKernel::ConstantLawDivisor;
        }
        else
        {
            float s = r / 2.0f * 1000.0f;
            s = s < 1.0f ? 1.0f : s;
            const float product = miG * m[j];
            const float divisor = s * s * factor;
            forceX = ux * product / divisor;
            forceY = uy * product / divisor;
            forceZ = uz * product / divisor;
        }
        forceX = together ? 0.0f : forceX;
        forceY = together ? 0.0f : forceY;
        forceZ = together ? 0.0f : forceZ;
        rx[j] = forceX;
        ry[j] = forceY;
        rz[j] = forceZ;
        // Adding F × −1 is exactly subtracting F.
        fx[j] = fx[j] - forceX;
        fy[j] = fy[j] - forceY;
        fz[j] = fz[j] - forceZ;
    }
}

// The restrict qualifiers must sit on parameters: GCC does not vectorise through restrict-qualified locals.
template <bool SimpleMode>
[[gnu::always_inline]] inline void PairRow(std::size_t count, std::size_t i, const Arrays& a, RowForces row,
                                           float factor)
{
    PairRowOf<SimpleMode>(count, i, a.x, a.y, a.z, a.m, a.fx, a.fy, a.fz, row.x, row.y, row.z, factor);
}

// Rows are handled two at a time: the sums of a row over j must be formed in order, one float addition after
// the other, and two rows give the processor two independent chains of additions to overlap. (GCC may load
// these sums in vectors, but without -ffast-math it still adds the lanes one after the other, in order.)
template <bool SimpleMode>
[[gnu::always_inline]] inline void AllPairs(std::size_t count, const Arrays& a, float* rowForces, float factor)
{
    const RowForces first{rowForces, rowForces + count, rowForces + 2 * count};
    const RowForces second{rowForces + 3 * count, rowForces + 4 * count, rowForces + 5 * count};
    for (std::size_t i = 0; i + 1 < count; i += 2)
    {
        const std::size_t k = i + 1;
        PairRow<SimpleMode>(count, i, a, first, factor);
        PairRow<SimpleMode>(count, k, a, second, factor);
        // Mass i: the pair (i, k) comes first, then the pairs with j > k. Mass k already holds its pair with i.
        float ix = a.fx[i] + first.x[k];
        float iy = a.fy[i] + first.y[k];
        float iz = a.fz[i] + first.z[k];
        float kx = a.fx[k];
        float ky = a.fy[k];
        float kz = a.fz[k];
        for (std::size_t j = k + 1; j < count; ++j)
        {
            ix = ix + first.x[j];
            iy = iy + first.y[j];
            iz = iz + first.z[j];
            kx = kx + second.x[j];
            ky = ky + second.y[j];
            kz = kz + second.z[j];
        }
        a.fx[i] = ix;
        a.fy[i] = iy;
        a.fz[i] = iz;
        a.fx[k] = kx;
        a.fy[k] = ky;
        a.fz[k] = kz;
    }
    // With an odd count the last mass has no later partner: its force is complete already.
}

QUARNEL_PAIR_LOOP_CLONES void AllPairsSimple(std::size_t count, const Arrays& a, float* rowForces, float factor)
{
    AllPairs<true>(count, a, rowForces, factor);
}

QUARNEL_PAIR_LOOP_CLONES void AllPairsInverseSquare(std::size_t count, const Arrays& a, float* rowForces, float factor)
{
    AllPairs<false>(count, a, rowForces, factor);
}

} // namespace

void GravityKernel::Apply(const std::vector<std::shared_ptr<Mass>>& masses, bool simpleMode, float factor)
{
    Load(masses);
    const Arrays arrays{x.data(), y.data(), z.data(), m.data(), fx.data(), fy.data(), fz.data()};
    if (simpleMode)
        AllPairsSimple(count, arrays, rowForces.data(), factor);
    else
        AllPairsInverseSquare(count, arrays, rowForces.data(), factor);
    Store(masses);
}

void GravityKernel::Load(const std::vector<std::shared_ptr<Mass>>& masses)
{
    count = masses.size();
    for (std::vector<float>* buffer : {&x, &y, &z, &m, &fx, &fy, &fz})
        buffer->resize(count);
    rowForces.resize(6 * count);

    for (std::size_t k = 0; k < count; ++k)
    {
        const Mass& mass = *masses[k];
        const Common::Point3D position = mass.Target().GetPosition();
        x[k] = position.X();
        y[k] = position.Y();
        z[k] = position.Z();
        // A mass that is not a number is inert, as in the world's step: it neither pulls nor is pulled,
        // instead of turning the force of every partner into NaN.
        const float value = mass.GetMass();
        m[k] = std::isnan(value) ? 0.0f : value;
        const Common::Point3D force = mass.Force();
        fx[k] = force.X();
        fy[k] = force.Y();
        fz[k] = force.Z();
    }
}

void GravityKernel::Store(const std::vector<std::shared_ptr<Mass>>& masses) const
{
    for (std::size_t k = 0; k < count; ++k)
        masses[k]->SetForce(Common::Point3D(fx[k], fy[k], fz[k]));
}

} // namespace Quarnel::GameEngine2D::Physics
