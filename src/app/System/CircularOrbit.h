#pragma once

#include "Common/Point3D.h"
#include "app/System/Forward.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace Zandrel::System
{

// The start velocity that puts a new body on a circular orbit around a primary body under the system's current
// gravity law.
//
// The pull between body and primary has the size G × M × m × L(r): L = 1 / 20 for the distance-independent law,
// L = 1 / (s² × factor) with s = max(500 r, 1) for the inverse-square one. With a = k × F / m (k the world's
// acceleration per force) the two bodies accelerate towards each other by k × G × (M + m) × L(r), and a circle of
// radius r needs v² = that × r (for the constant pull: |a| does not depend on r, v² = a × r all the same).
//
// The velocity lies in the plane z = const, turning counter-clockwise seen from the start camera (+z); for a body
// straight above or below the primary (on its z axis) it lies in the plane y = const instead. The primary's own
// velocity is added, so the pair orbits as it moves.
class CircularOrbit final
{
public:
    // The selected body when there is one, otherwise the heaviest (the first of equal ones); null without bodies.
    [[nodiscard]] static std::shared_ptr<Sphere> PickPrimary(const SolarSystem& system,
                                                             std::optional<std::uint16_t> selected);

    // Relative speed of a circular orbit at `distance` scene units; 0 where there is no pull.
    [[nodiscard]] static double Speed(const SolarSystem& system, double primaryMass, double bodyMass, double distance);

    // The velocity of a body of `bodyMass` at `position` on a circular orbit around `primary`. A body at the
    // primary's own place gets the primary's velocity.
    [[nodiscard]] static Quarnel::Common::Point3D Velocity(const SolarSystem& system, const Sphere& primary,
                                                           Quarnel::Common::Point3D position, float bodyMass);
};

} // namespace Zandrel::System
