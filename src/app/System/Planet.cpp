#include "app/System/Planet.h"

#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/StaticMeshNode.h"
#include "app/System/SolarSystem.h"

#include <utility>

namespace Zandrel::System
{

std::shared_ptr<Planet> Planet::Create(std::string itemName, Quarnel::Common::Point3D itemPosition, float massValue,
                                       SolarSystem& owner, std::uint16_t itemId, float bodySize)
{
    return Make<Planet>(std::move(itemName), itemPosition, massValue, owner, itemId, bodySize);
}

Planet::Planet(ConstructionKey /*key*/, std::string itemName, Quarnel::Common::Point3D itemPosition, float massValue,
               SolarSystem& owner, std::uint16_t itemId, float bodySize) :
    Sphere(std::move(itemName), itemPosition, massValue, owner, itemId, bodySize)
{
}

std::shared_ptr<Quarnel::GameEngine2D::Scene::StaticMeshNode> Planet::CreateMeshNode()
{
    SolarSystem& owner = GetSystem();
    return owner.GetScene().GetNodeFactory().CreateStaticMeshNode(
        "planet_01", Quarnel::Common::Point3D(0.0f, 0.0f, 0.0f), owner.CreateSphereMesh());
}

} // namespace Zandrel::System
