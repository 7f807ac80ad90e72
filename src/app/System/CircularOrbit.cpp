#include "app/System/CircularOrbit.h"

#include "GameEngine2D/Physics/GravityLaw.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/Scene.h"
#include "app/System/SolarSystem.h"
#include "app/System/Sphere.h"

#include <algorithm>
#include <cmath>

namespace Zandrel::System
{

namespace
{

using Quarnel::Common::Point3D;
using Quarnel::GameEngine2D::Physics::GravityLaw;

// The inverse-square law measures distance as s = r / 2 × 1000, never below 1.
constexpr double LawDistancePerUnit = 1000.0 / 2.0;
constexpr double SmallestLawDistance = 1.0;

// A mass that is not a number neither pulls nor is pulled.
double PullingMass(double mass)
{
    return std::isnan(mass) ? 0.0 : mass;
}

} // namespace

std::shared_ptr<Sphere> CircularOrbit::PickPrimary(const SolarSystem& system, std::optional<std::uint16_t> selected)
{
    if (selected)
    {
        if (auto chosen = std::dynamic_pointer_cast<Sphere>(system.FindItem(*selected)))
            return chosen;
    }
    std::shared_ptr<Sphere> heaviest;
    for (const auto& item : system.GetItems())
    {
        auto sphere = std::dynamic_pointer_cast<Sphere>(item);
        if (sphere && !std::isnan(sphere->GetMass()) && (!heaviest || sphere->GetMass() > heaviest->GetMass()))
            heaviest = std::move(sphere);
    }
    return heaviest;
}

double CircularOrbit::Speed(const SolarSystem& system, double primaryMass, double bodyMass, double distance)
{
    if (!(distance > 0.0))
        return 0.0;
    const auto& gravities = system.GetGravities();
    const double perMass = gravities.IsSimpleMode() ? 1.0 / GravityLaw::ConstantLawDivisor : [&] {
        const double s = std::max(distance * LawDistancePerUnit, SmallestLawDistance);
        return 1.0 / (s * s * gravities.GetFactor());
    }();
    const double forceScale = system.GetScene().GetWorld().GetForceScale();
    const double pull = forceScale * GravityLaw::G * (PullingMass(primaryMass) + PullingMass(bodyMass)) * perMass;
    return pull > 0.0 && std::isfinite(pull) ? std::sqrt(pull * distance) : 0.0;
}

Point3D CircularOrbit::Velocity(const SolarSystem& system, const Sphere& primary, Point3D position, float bodyMass)
{
    const Point3D base = primary.GetVelocity();
    const Point3D offset = position - primary.GetPosition();
    const double dx = offset.X();
    const double dy = offset.Y();
    const double dz = offset.Z();
    // z × offset = (-dy, dx, 0) lies in the plane z = const; on the primary's z axis it is zero, and
    // y × offset = (dz, 0, -dx) = (dz, 0, 0) serves.
    const bool onZAxis = dx == 0.0 && dy == 0.0;
    const double ux = onZAxis ? dz : -dy;
    const double uy = onZAxis ? 0.0 : dx;
    constexpr double uz = 0.0;
    const double length = std::sqrt(ux * ux + uy * uy);
    const double distance = std::sqrt(dx * dx + dy * dy + dz * dz);
    const double speed = Speed(system, primary.GetMass(), bodyMass, distance);
    if (length == 0.0 || speed == 0.0)
        return base;
    const double perLength = speed / length;
    return base + Point3D(static_cast<float>(ux * perLength), static_cast<float>(uy * perLength),
                          static_cast<float>(uz * perLength));
}

} // namespace Zandrel::System
