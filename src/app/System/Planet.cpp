#include "app/System/Planet.h"

#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/StaticMeshNode.h"
#include "app/System/SolarSystem.h"

#include <utility>

namespace Zandrel::System
{

Planet::Planet(std::string itemName, Quarnel::Common::Point3D itemPosition, float massValue, SolarSystem& owner,
               std::uint16_t itemId, float bodySize) :
    Sphere(std::move(itemName), itemPosition, massValue, owner, itemId, bodySize)
{
    ShowMesh(owner.GetScene().GetNodeFactory().CreateStaticMeshNode(
        "planet_01", Quarnel::Common::Point3D(0.0f, 0.0f, 0.0f), owner.CreateSphereMesh()));
}

} // namespace Zandrel::System
