#include "app/System/Item.h"

#include <utility>

namespace Zandrel::System
{

Item::Item(std::string itemName, Quarnel::Common::Point3D itemPosition, float massValue, SolarSystem& owner,
           std::uint16_t itemId) :
    EmptyNode(std::move(itemName), itemPosition, Quarnel::Common::Point3D(0.0f, 0.0f, 0.0f)),
    mass(massValue),
    id(itemId),
    system(owner)
{
}

SolarSystem& Item::GetSystem() const
{
    return system;
}

std::uint16_t Item::GetId() const
{
    return id;
}

float Item::GetMass() const
{
    return mass;
}

} // namespace Zandrel::System
