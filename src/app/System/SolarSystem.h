#pragma once

#include "GameEngine2D/Physics/Forward.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Video/Data/Forward.h"
#include "GameEngine2D/Video/Forward.h"
#include "app/System/Forward.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Zandrel::System
{

// The bodies of the sandbox: creates suns and planets as its children, numbers them 1, 2, … (whatever their kind,
// wrapping after 65535); each body couples itself to a point mass of the scene's physics world and to this one shared
// pairwise gravity, so that the world moves it, and takes its mass out again when it goes.
//
// Every body draws the sphere model read once here: the bodies share its vertex buffers, each with a material of its
// own, so colouring one body changes no other.
class SolarSystem final : public Quarnel::GameEngine2D::Scene::EmptyNode
{
public:
    static constexpr const char* SphereFile = "daten//models//sphere.obj";

    // Reads and uploads the sphere model, checks that the sun texture can be read, and sets the scene's world up for
    // the bodies: no friction, real time, one step per frame, no uniform gravity, and a pairwise gravity in the
    // distance-independent mode. A missing or broken model or texture: std::runtime_error.
    // `ownerScene` owns this node (through its tree) and outlives it.
    SolarSystem(std::string systemName, Quarnel::GameEngine2D::Scene::Scene& ownerScene);
    ~SolarSystem() override;

    // The body with the next identifier at `bodyPosition`, drawn at bodySize / 100 of the model, pulled by and
    // pulling every other body with the mass value `bodyMass`. Neither value is checked.
    virtual std::shared_ptr<Sun> AddSun(const std::string& bodyName, Quarnel::Common::Point3D bodyPosition,
                                        float bodyMass, float bodySize);
    virtual std::shared_ptr<Planet> AddPlanet(const std::string& bodyName, Quarnel::Common::Point3D bodyPosition,
                                              float bodyMass, float bodySize);
    [[nodiscard]] virtual Quarnel::GameEngine2D::Scene::Scene& GetScene() const;
    [[nodiscard]] virtual Quarnel::GameEngine2D::Physics::MassGravities& GetGravities() const;
    // The model's vertex buffers with a new material copied from the model's.
    [[nodiscard]] virtual std::shared_ptr<Quarnel::GameEngine2D::Video::Data::MeshData> CreateSphereMesh() const;
    // Every body, in creation order.
    [[nodiscard]] virtual const std::vector<std::shared_ptr<Item>>& GetItems() const;
    // The first body with this identifier, or null.
    [[nodiscard]] virtual std::shared_ptr<Item> FindItem(std::uint16_t itemId) const;

    // Gives the sun image held since start-up back to the cache.
    void DisposeNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine) override;
    // The bodies' levels of detail and their batches, drawn once the last body has been visited.
    [[nodiscard]] SphereDetail& GetDetail() const { return *detail; }
    void UpdateNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine) override;
    void EndUpdate(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine) override;

private:
    template <typename Kind>
    std::shared_ptr<Kind> AddBody(const std::string& bodyName, Quarnel::Common::Point3D bodyPosition, float bodyMass,
                                  float bodySize);

    void LoadSphereMesh();
    void ConfigureWorld();

    std::vector<std::shared_ptr<Item>> items;
    Quarnel::GameEngine2D::Scene::Scene& scene;
    std::shared_ptr<Quarnel::GameEngine2D::Video::Data::MeshData> sphereMesh;
    // Owned by the world, which lives as long as the scene.
    std::shared_ptr<Quarnel::GameEngine2D::Physics::MassGravities> gravities;
    std::uint16_t lastId = 0;
    // The sun image, read at start-up so that a missing or broken file is reported then, not at the first sun;
    // it keeps the image in the cache for every sun after.
    std::shared_ptr<Quarnel::GameEngine2D::Video::Surfaces> sunImage;
    std::unique_ptr<SphereDetail> detail;
};

} // namespace Zandrel::System
