#pragma once

#include "app/System/Sphere.h"

namespace Zandrel::System
{

// A body in the colours of the sphere model, shown by a mesh node named "planet_01".
class Planet final : public Sphere
{
public:
    // The body with its mesh node, spin and point mass; the solar system numbers it and adds it to its children.
    Planet(std::string itemName, Quarnel::Common::Point3D itemPosition, float massValue, SolarSystem& owner,
           std::uint16_t itemId, float bodySize);
};

} // namespace Zandrel::System
