#pragma once

#include "Common/Color.h"
#include "Common/Subscription.h"
#include "GameEngine2D/Physics/Forward.h"
#include "GameEngine2D/Scene/Forward.h"
#include "app/System/Item.h"
#include "app/System/Trail.h"

#include <memory>

namespace Zandrel::System
{

// A body shown as the shared sphere model, scaled to its size (a size of 100 draws the model at its own size), that
// turns about its vertical axis at a random whole number of degrees per simulated second. The kinds differ in the mesh
// node they show and in the ambient colour their material shows when not highlighted.
//
// The body owns its coupling to the physics: a point mass of the scene's world drives its position and pulls every
// other body through the system's gravity, and the mass's steps turn it. When the body goes, its mass leaves the
// world and the gravity with it.
class Sphere : public Item
{
public:
    // Planet: the model's own colours; its ambient colour when not highlighted is black.
    static constexpr Quarnel::Common::Color PlanetAmbient{0, 0, 0, 255};
    static constexpr Quarnel::Common::Color HighlightAmbient{255, 255, 255, 255};

    ~Sphere() override;

    // The body leaves the physics: its mass stops moving it and pulling the others.
    void DisposeNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine) override;

    // White ambient while on, the kind's own ambient otherwise; only this body's material changes.
    virtual void SetHighlight(bool on);
    // size / 100.
    [[nodiscard]] virtual float GetScaleFactor() const;
    // The size given at creation or by the last SetBodySize.
    [[nodiscard]] float GetBodySize() const { return creationSize; }
    // Draws the body at size / 100 of the model from now on, as a body created with this size; its point mass
    // reaches as far as the drawn sphere.
    void SetBodySize(float bodySize);
    // The mass value of the body and of its point mass: it pulls and is pulled as a body created with it.
    void SetMass(float massValue);
    // Scene units per simulated second, as the body's point mass holds it.
    [[nodiscard]] Quarnel::Common::Point3D GetVelocity() const;
    void SetVelocity(Quarnel::Common::Point3D velocity);
    // Puts the body elsewhere by hand: its trail starts afresh there, so no line joins the old place and the new.
    void MoveTo(Quarnel::Common::Point3D place);
    [[nodiscard]] const std::shared_ptr<Quarnel::GameEngine2D::Physics::Mass>& GetPointMass() const
    {
        return pointMass;
    }

    [[nodiscard]] const std::shared_ptr<Quarnel::GameEngine2D::Scene::StaticMeshNode>& GetMeshNode() const
    {
        return meshNode;
    }
    // Where the body has been over the last ten simulated seconds; it goes with the body.
    [[nodiscard]] const Trail& GetTrail() const { return trail; }
    // Degrees per simulated second about x, y and z.
    [[nodiscard]] Quarnel::Common::Point3D GetSpin() const { return spin; }
    // Turns the body by spin × dt (dt in seconds).
    void Spin(float dt);

    // Draws the body at the detail its size on the screen asks for (the system's SphereDetail): from the finest level
    // on as the node tree draws it, at coarser levels gathered into the system's batches, and not at all when it lies
    // outside the view. A body with a look of its own in the tree (a transparency, a scale, a turned or moved mesh,
    // further children) is always drawn as the tree says, at the finest level.
    void Update(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine) override;

protected:
    // Couples the body to the scene's world and the system's gravity; the kind's constructor then shows its mesh.
    Sphere(std::string itemName, Quarnel::Common::Point3D itemPosition, float massValue, SolarSystem& owner,
           std::uint16_t itemId, float givenSize);

    // The body's only child, scaled to the body's size; draws the random spin.
    void ShowMesh(std::shared_ptr<Quarnel::GameEngine2D::Scene::StaticMeshNode> node);
    // Sets the ambient colour of this body's own material, creating its colour record when the model had none.
    void SetAmbient(Quarnel::Common::Color color);

private:
    // The handler of the body's physics step: records the trail and spins the body.
    void OnStep(float dt);

    float creationSize;
    // Whether the batches can stand in for the node tree's drawing of this body; gives the mesh's uniform scale.
    [[nodiscard]] bool IsPlain(float& meshScaleFactor) const;

    float scaleFactor;
    Quarnel::Common::Point3D spin;
    std::shared_ptr<Quarnel::GameEngine2D::Scene::StaticMeshNode> meshNode;
    std::shared_ptr<Quarnel::GameEngine2D::Physics::Mass> pointMass;
    Trail trail;
    Quarnel::Common::Subscription stepping;
};

} // namespace Zandrel::System
