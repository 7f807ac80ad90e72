#include "app/System/Conservation.h"

#include "Common/Point3D.h"
#include "GameEngine2D/Physics/GravityLaw.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "app/System/SolarSystem.h"
#include "app/System/Sphere.h"

#include <algorithm>
#include <cmath>
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
    const auto& gravities = system.GetGravities();
    const bool simpleMode = gravities.IsSimpleMode();
    const float factor = gravities.GetFactor();
    Totals totals;
    const auto& items = system.GetItems();
    for (std::size_t i = 0; i < items.size(); ++i)
    {
        const auto* body = dynamic_cast<const Sphere*>(items[i].get());
        if (body == nullptr || !IsMoved(*body))
            continue;
        const double mass = MassOf(*body);
        const Quarnel::Common::Point3D v = body->GetVelocity();
        const double vx = v.X(), vy = v.Y(), vz = v.Z();
        const double speedSquared = vx * vx + vy * vy + vz * vz;
        totals.energy += 0.5 * mass * speedSquared;
        totals.momentumX += mass * vx;
        totals.momentumY += mass * vy;
        totals.momentumZ += mass * vz;
        totals.momentumScale += std::abs(mass) * std::sqrt(speedSquared);

        const Quarnel::Common::Point3D p = body->GetPosition();
        for (std::size_t j = i + 1; j < items.size(); ++j)
        {
            const auto* other = dynamic_cast<const Sphere*>(items[j].get());
            if (other == nullptr || !IsMoved(*other))
                continue;
            const Quarnel::Common::Point3D q = other->GetPosition();
            const double dx = static_cast<double>(p.X()) - q.X();
            const double dy = static_cast<double>(p.Y()) - q.Y();
            const double dz = static_cast<double>(p.Z()) - q.Z();
            const double distance = std::sqrt(dx * dx + dy * dy + dz * dz);
            // Bodies at one place pull each other with no force.
            if (distance > 0.0)
                totals.energy += PairPotential(simpleMode, factor, mass, MassOf(*other), distance);
        }
    }
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
