#pragma once

#include "GameEngine2D/Video/Forward.h"
#include "app/System/Sphere.h"

namespace Zandrel::System
{

// A body shown with the sun texture and a bright ambient colour, by a mesh node named "sun_01".
class Sun final : public Sphere
{
public:
    static constexpr Quarnel::Common::Color SunAmbient{200, 200, 200, 255};
    static constexpr const char* TextureFile = "daten//models//sonne01.jpg";

    // The body with its mesh node, spin and point mass; the solar system numbers it and adds it to its children.
    // An unreadable sun texture: std::runtime_error naming the file.
    Sun(std::string itemName, Quarnel::Common::Point3D itemPosition, float massValue, SolarSystem& owner,
        std::uint16_t itemId, float bodySize);

    // White ambient while on, the sun's (200, 200, 200) otherwise.
    void SetHighlight(bool on) override;
    // Gives the sun texture back to the image cache; the mesh node itself returns nothing.
    void DisposeNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine) override;

private:
    [[nodiscard]] std::shared_ptr<Quarnel::GameEngine2D::Scene::StaticMeshNode> CreateMeshNode(SolarSystem& owner);

    // Borrowed from the image cache for this body's material.
    std::shared_ptr<Quarnel::GameEngine2D::Video::Texture> texture;
};

} // namespace Zandrel::System
