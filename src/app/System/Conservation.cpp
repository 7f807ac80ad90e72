#include "app/System/Conservation.h"

#include "Common/Point3D.h"
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

// The potential of body i with every later body: the law's constant × m_i × its row sum.
double RowPotential(const MovedBodies& bodies, std::size_t i, bool simpleMode, float factor)
{
    const double pull =
        static_cast<double>(SolarSystem::AccelerationPerForce) * static_cast<double>(GravityLaw::G) * bodies.mass[i];
    if (simpleMode)
        return pull / static_cast<double>(GravityLaw::ConstantLawDivisor) * RowShape<true>(bodies, i);
    return pull / static_cast<double>(factor) * RowShape<false>(bodies, i);
}

// Every body's RowPotential. Thread t takes the rows t, t + n, t + 2n, …: the rows shorten towards the end, so
// the threads get about the same number of pairs. Rows of a thread that cannot be started are summed here.
std::vector<double> RowPotentials(const MovedBodies& bodies, bool simpleMode, float factor, unsigned threadCount)
{
    const std::size_t count = bodies.mass.size();
    std::vector<double> rows(count);
    const auto sumRows = [&](unsigned first) {
        for (std::size_t i = first; i < count; i += threadCount)
            rows[i] = RowPotential(bodies, i, simpleMode, factor);
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

Conservation::Totals Conservation::Measure(const SolarSystem& system, unsigned threadCount)
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
    const std::vector<double> rows = RowPotentials(bodies, simpleMode, factor, std::max(threadCount, 1u));
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
