#pragma once

#include "app/System/Sphere.h"

namespace Zandrel::System
{

// A body in the colours of the sphere model, shown by a mesh node named "planet_01".
class Planet : public Sphere
{
public:
    // The body with its mesh node and spin; the solar system registers it (identifier, children, mass).
    [[nodiscard]] static std::shared_ptr<Planet> Create(std::string itemName, Quarnel::Common::Point3D itemPosition,
                                                        float massValue, SolarSystem& owner, std::uint16_t itemId,
                                                        float bodySize);

    Planet(ConstructionKey key, std::string itemName, Quarnel::Common::Point3D itemPosition, float massValue,
           SolarSystem& owner, std::uint16_t itemId, float bodySize);

    [[nodiscard]] std::shared_ptr<Quarnel::GameEngine2D::Scene::StaticMeshNode> CreateMeshNode() override;
};

} // namespace Zandrel::System
