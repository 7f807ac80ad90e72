#pragma once

#include "Common/Color.h"
#include "app/System/Item.h"

#include <memory>

namespace Quarnel::GameEngine2D::Scene
{
class StaticMeshNode;
} // namespace Quarnel::GameEngine2D::Scene

namespace Zandrel::System
{

// A body shown as the shared sphere model, scaled to its size (a size of 100 draws the model at its own size), that
// turns about its vertical axis at a random whole number of degrees per simulated second. The kinds differ in the mesh
// node they make (CreateMeshNode) and in the ambient colour their material shows when not highlighted.
class Sphere : public Item
{
public:
    // Planet: the model's own colours; its ambient colour when not highlighted is black.
    static constexpr Quarnel::Common::Color PlanetAmbient{0, 0, 0, 255};
    static constexpr Quarnel::Common::Color HighlightAmbient{255, 255, 255, 255};

    // White ambient while on, the kind's own ambient otherwise; only this body's material changes.
    virtual void SetHighlight(bool on);
    // The node that shows the body; it becomes the item's only child.
    [[nodiscard]] virtual std::shared_ptr<Quarnel::GameEngine2D::Scene::StaticMeshNode> CreateMeshNode() = 0;
    // size / 100.
    [[nodiscard]] virtual float GetScaleFactor() const;

    [[nodiscard]] const std::shared_ptr<Quarnel::GameEngine2D::Scene::StaticMeshNode>& GetMeshNode() const
    {
        return meshNode;
    }
    // Degrees per simulated second about x, y and z.
    [[nodiscard]] Quarnel::Common::Point3D GetSpin() const { return spin; }
    // The handler of the body's physics step: turns the body by spin × dt (dt in seconds).
    void Spin(float dt);

protected:
    // Only the kinds' Create operations can make a body: the mesh node needs the finished object (its kind's
    // CreateMeshNode, and a parent link that only a shared owner can give), so construction is two-phased.
    struct ConstructionKey
    {
        explicit ConstructionKey() = default;
    };

    Sphere(std::string itemName, Quarnel::Common::Point3D itemPosition, float massValue, SolarSystem& owner,
           std::uint16_t itemId, float bodySize);

    // The second phase: mesh node, its scale, and the random spin.
    void Build();
    // Sets the ambient colour of this body's own material, creating its colour record when the model had none.
    void SetAmbient(Quarnel::Common::Color color);

    template <typename Kind>
    [[nodiscard]] static std::shared_ptr<Kind> Make(std::string itemName, Quarnel::Common::Point3D itemPosition,
                                                    float massValue, SolarSystem& owner, std::uint16_t itemId,
                                                    float bodySize)
    {
        auto body = std::make_shared<Kind>(ConstructionKey{}, std::move(itemName), itemPosition, massValue, owner,
                                           itemId, bodySize);
        body->Build();
        return body;
    }

private:
    float scaleFactor;
    Quarnel::Common::Point3D spin;
    std::shared_ptr<Quarnel::GameEngine2D::Scene::StaticMeshNode> meshNode;
};

} // namespace Zandrel::System
