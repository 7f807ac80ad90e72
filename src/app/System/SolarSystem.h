#pragma once

#include "Common/Event.h"
#include "GameEngine2D/Physics/Forward.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Video/Data/Forward.h"
#include "GameEngine2D/Video/Forward.h"
#include "app/System/Forward.h"

#include <cstdint>
#include <memory>
#include <optional>
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
    // A body's acceleration is this × the sum of the forces on it ÷ its mass (scene units per simulated second²).
    static constexpr float AccelerationPerForce = 60.0f;

    // Reads and uploads the sphere model, checks that the sun texture can be read, and sets the scene's world up for
    // the bodies: no friction, no uniform gravity, fixed leapfrog steps on the world's clock, and a pairwise gravity
    // in the distance-independent mode. A missing or broken model or texture: std::runtime_error.
    // `ownerScene` owns this node (through its tree) and outlives it. `dataPrefix` goes in front of the data file
    // names (empty: the working directory's "daten/").
    SolarSystem(std::string systemName, Quarnel::GameEngine2D::Scene::Scene& ownerScene, std::string dataPrefix = {});
    ~SolarSystem() override;

    // The body with the next identifier at `bodyPosition`, drawn at bodySize / 100 of the model, pulled by and
    // pulling every other body with the mass value `bodyMass`. Neither value is checked.
    virtual std::shared_ptr<Sun> AddSun(const std::string& bodyName, Quarnel::Common::Point3D bodyPosition,
                                        float bodyMass, float bodySize);
    virtual std::shared_ptr<Planet> AddPlanet(const std::string& bodyName, Quarnel::Common::Point3D bodyPosition,
                                              float bodyMass, float bodySize);
    [[nodiscard]] virtual Quarnel::GameEngine2D::Scene::Scene& GetScene() const;
    // A data file name ("daten//models//sonne01.jpg") as a path from the working directory.
    [[nodiscard]] std::string DataFile(const char* fileName) const { return dataFolder + fileName; }
    [[nodiscard]] virtual Quarnel::GameEngine2D::Physics::MassGravities& GetGravities() const;
    // The model's vertex buffers with a new material copied from the model's.
    [[nodiscard]] virtual std::shared_ptr<Quarnel::GameEngine2D::Video::Data::MeshData> CreateSphereMesh() const;
    // Every body, in creation order.
    [[nodiscard]] virtual const std::vector<std::shared_ptr<Item>>& GetItems() const;
    // The first body with this identifier, or null.
    [[nodiscard]] virtual std::shared_ptr<Item> FindItem(std::uint16_t itemId) const;

    // A body kept in a file or in the undo history, with the identifier it had there (a sun when `isSun`, else a
    // planet). Bodies added later count on from the largest identifier restored.
    std::shared_ptr<Sphere> RestoreBody(bool isSun, const std::string& bodyName, Quarnel::Common::Point3D bodyPosition,
                                        float bodyMass, float bodySize, std::uint16_t bodyId);
    // Takes the body out of the scene, the world, the gravity and every list here, and gives its texture back.
    // Others that keep the body get a node that no longer moves or pulls. False when it is not one of these bodies.
    bool RemoveBody(const std::shared_ptr<Item>& body);
    // Takes out every body, as RemoveBody does, and starts the identifiers again at 1.
    void RemoveAll();
    // Raised before every body is added, removed or changed and before the law changes (not for RemoveAll): whoever
    // keeps a history of the system learns of an edit while the system is still as it was.
    [[nodiscard]] Quarnel::Common::EventAddHandler<>& OnChanging() { return changing.GetAddHandler(); }
    // While OnChanging is raised: whether the change about to happen is bodies merging.
    [[nodiscard]] bool IsAnnouncingMerge() const { return announcingMerge; }
    // Raised with a body's identifier after it has been removed, so that nobody keeps following or drawing it.
    [[nodiscard]] Quarnel::Common::EventAddHandler<std::uint16_t>& OnBodyRemoved()
    {
        return bodyRemoved.GetAddHandler();
    }
    // New values for a body; what is not given stays as it is.
    struct BodyChange
    {
        std::optional<float> mass;
        std::optional<float> size;
        std::optional<Quarnel::Common::Point3D> position;
        std::optional<Quarnel::Common::Point3D> velocity;
    };
    // Gives one of these bodies new values, as an edit (announced first). The body keeps its kind, identifier,
    // trail and spin; with the new mass and size it pulls, is pulled and is drawn as a body created with them.
    // False when it is not one of these bodies.
    bool ChangeBody(const std::shared_ptr<Sphere>& body, const BodyChange& change);
    // Switches between the inverse-square law and the distance-independent pull, as an edit.
    void SetInverseSquareLaw(bool on);
    // Switches the merging of bodies whose spheres touch (BodyMerger), as an edit; off at the start. A merge that
    // happens is an edit too.
    void SetMerging(bool on);
    [[nodiscard]] bool IsMerging() const;
    [[nodiscard]] BodyMerger& GetMerger() const { return *merger; }

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

    // Takes the bodies out of the node tree in one pass: children are found by name, which bodies share.
    void DropChildren(const std::vector<std::shared_ptr<Item>>& dropped);

    std::vector<std::shared_ptr<Item>> items;
    Quarnel::GameEngine2D::Scene::Scene& scene;
    std::string dataFolder;
    std::shared_ptr<Quarnel::GameEngine2D::Video::Data::MeshData> sphereMesh;
    // Owned by the world, which lives as long as the scene.
    std::shared_ptr<Quarnel::GameEngine2D::Physics::MassGravities> gravities;
    std::uint16_t lastId = 0;
    // Whether the gravity's pairs are shared out over every core (many bodies) or walked on this thread.
    bool gravityShared = false;
    bool announcingMerge = false;
    // The sun image, read at start-up so that a missing or broken file is reported then, not at the first sun;
    // it keeps the image in the cache for every sun after.
    std::shared_ptr<Quarnel::GameEngine2D::Video::Surfaces> sunImage;
    Quarnel::Common::Event<> changing;
    Quarnel::Common::Event<std::uint16_t> bodyRemoved;
    std::unique_ptr<SphereDetail> detail;
    std::unique_ptr<BodyMerger> merger;
};

} // namespace Zandrel::System
