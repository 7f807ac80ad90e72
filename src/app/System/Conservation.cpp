#include "app/System/Conservation.h"

#include "Common/Point3D.h"
#include "GameEngine2D/Physics/Avx512Support.h"
#include "GameEngine2D/Physics/GravityLaw.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "app/System/SolarSystem.h"
#include "app/System/Sphere.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace Zandrel::System
{

namespace
{

using Quarnel::GameEngine2D::Physics::GravityLaw;

// The inverse-square law measures distance as s = r × 500, and never lets s fall below 1.
constexpr double DistanceScale = 500.0;

double MassOf(const Sphere& body)
{
    const double value = body.GetPointMass()->GetMass();
    return std::isnan(value) ? 0.0 : value;
}

bool IsMoved(const Sphere& body)
{
    return !body.GetPointMass()->IsRemoved();
}

// Positions, masses and kinetic energies of the bodies the physics moves, one array each.
struct MovedBodies
{
    std::vector<double> x, y, z, mass, kinetic;

    void Reserve(std::size_t count)
    {
        for (std::vector<double>* column : {&x, &y, &z, &mass, &kinetic})
            column->reserve(count);
    }

    void Add(Quarnel::Common::Point3D position, double bodyMass, double bodyKinetic)
    {
        x.push_back(position.X());
        y.push_back(position.Y());
        z.push_back(position.Z());
        mass.push_back(bodyMass);
        kinetic.push_back(bodyKinetic);
    }
};

// The distance-dependent part of a pair's potential per unit of the other body's mass: r for the
// distance-independent pull; for the inverse-square one -1 / (500² r), and inside r < 1/500 the straight line
// that continues it (see PairPotential). Bodies at one place pull each other with no force.
template <bool SimpleMode>
double Shape(double distance)
{
    if constexpr (SimpleMode)
        return distance;
    const double nearest = 1.0 / DistanceScale;
    if (distance >= nearest)
        return -1.0 / (DistanceScale * DistanceScale * distance);
    return distance > 0.0 ? distance - nearest - 1.0 / DistanceScale : 0.0;
}

// The sum over every later body j of m_j × Shape(r_ij). Four running sums in a fixed order keep the additions
// from waiting on each other; the result is the same in every run.
template <bool SimpleMode>
double RowShape(const MovedBodies& bodies, std::size_t i)
{
    constexpr std::size_t Lanes = 4;
    const std::size_t count = bodies.mass.size();
    const double xi = bodies.x[i], yi = bodies.y[i], zi = bodies.z[i];
    const auto term = [&](std::size_t j) {
        const double dx = xi - bodies.x[j];
        const double dy = yi - bodies.y[j];
        const double dz = zi - bodies.z[j];
        return bodies.mass[j] * Shape<SimpleMode>(std::sqrt(dx * dx + dy * dy + dz * dz));
    };
    std::array<double, Lanes> sums{};
    std::size_t j = i + 1;
    for (; j + Lanes <= count; j += Lanes)
        for (std::size_t lane = 0; lane < Lanes; ++lane)
            sums[lane] += term(j + lane);
    double sum = (sums[0] + sums[1]) + (sums[2] + sums[3]);
    for (; j < count; ++j)
        sum += term(j);
    return sum;
}

#if QUARNEL_AVX512_PATHS

// 1 / √a in eight lanes: the processor's estimate to 14 bits, then two Newton steps, each of which doubles the
// correct bits, to within a few units of the last place. A handful of multiplications instead of a square root and
// a division, which both wait for the processor's one slow divider. Lanes where a is 0 or not a number hold garbage.
[[gnu::target("avx512f")]] __m512d InverseRoot(__m512d a)
{
    const __m512d halfA = _mm512_mul_pd(_mm512_set1_pd(0.5), a);
    const __m512d threeHalves = _mm512_set1_pd(1.5);
    __m512d y = _mm512_rsqrt14_pd(a);
    y = _mm512_mul_pd(y, _mm512_fnmadd_pd(halfA, _mm512_mul_pd(y, y), threeHalves));
    return _mm512_mul_pd(y, _mm512_fnmadd_pd(halfA, _mm512_mul_pd(y, y), threeHalves));
}

// Shape(r) in eight lanes from r² and 1 / r, with the scalar Shape's answers for bodies at one place (0) and for
// distances that are not a number (kept by the distance-independent law, 0 for the inverse-square one).
template <bool SimpleMode>
[[gnu::target("avx512f")]] __m512d ShapeLanes(__m512d squared, __m512d inverse)
{
    const __m512d zero = _mm512_setzero_pd();
    const __m512d distance = _mm512_mul_pd(squared, inverse);
    if constexpr (SimpleMode)
        return _mm512_mask_mov_pd(distance, _mm512_cmp_pd_mask(squared, zero, _CMP_EQ_OQ), zero);
    const __mmask8 beyond =
        _mm512_cmp_pd_mask(squared, _mm512_set1_pd(1.0 / (DistanceScale * DistanceScale)), _CMP_GE_OQ);
    const __mmask8 apart = _mm512_cmp_pd_mask(squared, zero, _CMP_GT_OQ);
    const __m512d inside = _mm512_maskz_sub_pd(apart, distance, _mm512_set1_pd(2.0 / DistanceScale));
    const __m512d outside = _mm512_mul_pd(_mm512_set1_pd(-1.0 / (DistanceScale * DistanceScale)), inverse);
    return _mm512_mask_blend_pd(beyond, inside, outside);
}

// RowShape in eight lanes, the last block masked. The lanes are added up in a fixed order, so the row's sum is
// the same in every run; it differs from the portable loop's in the last bits only.
template <bool SimpleMode>
[[gnu::target("avx512f")]] double RowShapeAvx512(const MovedBodies& bodies, std::size_t i)
{
    constexpr std::size_t Lanes = 8;
    const std::size_t count = bodies.mass.size();
    const __m512d xi = _mm512_set1_pd(bodies.x[i]);
    const __m512d yi = _mm512_set1_pd(bodies.y[i]);
    const __m512d zi = _mm512_set1_pd(bodies.z[i]);
    __m512d sum = _mm512_setzero_pd();
    for (std::size_t j = i + 1; j < count; j += Lanes)
    {
        const std::size_t left = count - j;
        const auto lanes = static_cast<__mmask8>(left >= Lanes ? 0xFFu : (1u << left) - 1u);
        const __m512d dx = _mm512_sub_pd(xi, _mm512_maskz_loadu_pd(lanes, bodies.x.data() + j));
        const __m512d dy = _mm512_sub_pd(yi, _mm512_maskz_loadu_pd(lanes, bodies.y.data() + j));
        const __m512d dz = _mm512_sub_pd(zi, _mm512_maskz_loadu_pd(lanes, bodies.z.data() + j));
        const __m512d squared = _mm512_fmadd_pd(dz, dz, _mm512_fmadd_pd(dy, dy, _mm512_mul_pd(dx, dx)));
        const __m512d shape = ShapeLanes<SimpleMode>(squared, InverseRoot(squared));
        sum = _mm512_mask3_fmadd_pd(_mm512_maskz_loadu_pd(lanes, bodies.mass.data() + j), shape, sum, lanes);
    }
    return _mm512_reduce_add_pd(sum);
}

#endif

template <bool SimpleMode>
double RowShapeWidest(const MovedBodies& bodies, std::size_t i, bool portable)
{
#if QUARNEL_AVX512_PATHS
    if (!portable && Quarnel::GameEngine2D::Physics::ProcessorHasAvx512())
        return RowShapeAvx512<SimpleMode>(bodies, i);
#else
    (void)portable;
#endif
    return RowShape<SimpleMode>(bodies, i);
}

// The potential of body i with every later body: the law's constant × m_i × its row sum.
double RowPotential(const MovedBodies& bodies, std::size_t i, bool simpleMode, float factor, bool portable)
{
    const double pull =
        static_cast<double>(SolarSystem::AccelerationPerForce) * static_cast<double>(GravityLaw::G) * bodies.mass[i];
    if (simpleMode)
        return pull / static_cast<double>(GravityLaw::ConstantLawDivisor) * RowShapeWidest<true>(bodies, i, portable);
    return pull / static_cast<double>(factor) * RowShapeWidest<false>(bodies, i, portable);
}

// Every body's RowPotential. Thread t takes the rows t, t + n, t + 2n, …: the rows shorten towards the end, so
// the threads get about the same number of pairs. Rows of a thread that cannot be started are summed here.
std::vector<double> RowPotentials(const MovedBodies& bodies, bool simpleMode, float factor, unsigned threadCount,
                                  bool portable)
{
    const std::size_t count = bodies.mass.size();
    std::vector<double> rows(count);
    const auto sumRows = [&](unsigned first) {
        for (std::size_t i = first; i < count; i += threadCount)
            rows[i] = RowPotential(bodies, i, simpleMode, factor, portable);
    };
    unsigned started = 1;
    {
        std::vector<std::jthread> helpers;
        try
        {
            for (; started < threadCount; ++started)
                helpers.emplace_back(sumRows, started);
        }
        catch (const std::system_error&)
        {
            // Fewer threads than asked for: this one takes over the rest.
        }
        sumRows(0);
        for (unsigned rest = started; rest < threadCount; ++rest)
            sumRows(rest);
    }
    return rows;
}

} // namespace

double Conservation::PairPotential(bool simpleMode, float factor, double massA, double massB, double distance)
{
    const double pull =
        static_cast<double>(SolarSystem::AccelerationPerForce) * static_cast<double>(GravityLaw::G) * massA * massB;
    if (simpleMode)
        return pull / static_cast<double>(GravityLaw::ConstantLawDivisor) * distance;
    const double scaled = pull / static_cast<double>(factor);
    const double nearest = 1.0 / DistanceScale;
    if (distance >= nearest)
        return -scaled / (DistanceScale * DistanceScale * distance);
    return scaled * (distance - nearest) - scaled / DistanceScale;
}

Conservation::Totals Conservation::Measure(const SolarSystem& system)
{
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return Measure(system, system.GetItems().size() >= SharedFrom ? cores : 1u);
}

Conservation::Totals Conservation::Measure(const SolarSystem& system, unsigned threadCount, Loop loop)
{
    const auto& gravities = system.GetGravities();
    const bool simpleMode = gravities.IsSimpleMode();
    const float factor = gravities.GetFactor();
    Totals totals;
    // The moved bodies are read once into plain arrays: the pairs are N² / 2, far too many to look each body up
    // (and cast it) again for every one of them at ten thousand bodies.
    MovedBodies bodies;
    const auto& items = system.GetItems();
    bodies.Reserve(items.size());
    for (const auto& item : items)
    {
        const auto* body = dynamic_cast<const Sphere*>(item.get());
        if (body == nullptr || !IsMoved(*body))
            continue;
        const double mass = MassOf(*body);
        const Quarnel::Common::Point3D v = body->GetVelocity();
        const double vx = v.X(), vy = v.Y(), vz = v.Z();
        const double speedSquared = vx * vx + vy * vy + vz * vz;
        totals.momentumX += mass * vx;
        totals.momentumY += mass * vy;
        totals.momentumZ += mass * vz;
        totals.momentumScale += std::abs(mass) * std::sqrt(speedSquared);
        bodies.Add(body->GetPosition(), mass, 0.5 * mass * speedSquared);
    }
    // Each body's kinetic energy, then its pairs with every later body. The rows are shared out before they are
    // added up in order: the total does not depend on which thread summed a row.
    const std::vector<double> rows =
        RowPotentials(bodies, simpleMode, factor, std::max(threadCount, 1u), loop == Loop::Portable);
    for (std::size_t i = 0; i < bodies.mass.size(); ++i)
        totals.energy += bodies.kinetic[i] + rows[i];
    return totals;
}

double Conservation::RelativeEnergyDrift(const Totals& then, const Totals& now)
{
    if (then.energy == 0.0)
        return 0.0;
    return (now.energy - then.energy) / std::abs(then.energy);
}

double Conservation::RelativeMomentumDrift(const Totals& then, const Totals& now)
{
    const double scale = std::max(then.momentumScale, now.momentumScale);
    if (scale == 0.0)
        return 0.0;
    const double dx = now.momentumX - then.momentumX;
    const double dy = now.momentumY - then.momentumY;
    const double dz = now.momentumZ - then.momentumZ;
    return std::sqrt(dx * dx + dy * dy + dz * dz) / scale;
}

} // namespace Zandrel::System
